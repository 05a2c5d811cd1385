#include "platform/memory/MemoryUserDefaults.h"

namespace ondravell::platform {

namespace {
template <class Map> std::optional<typename Map::mapped_type> lookUp(const Map& map, const std::string& key) {
    auto it = map.find(key);
    if (it == map.end())
        return std::nullopt;
    return it->second;
}
} // namespace

std::optional<bool> MemoryUserDefaults::boolForKey(const std::string& key) const {
    return lookUp(bools_, key);
}

std::optional<double> MemoryUserDefaults::doubleForKey(const std::string& key) const {
    return lookUp(doubles_, key);
}

std::optional<std::string> MemoryUserDefaults::stringForKey(const std::string& key) const {
    return lookUp(strings_, key);
}

} // namespace ondravell::platform
