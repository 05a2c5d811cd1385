#include "platform/memory/MemoryUserDefaults.h"

namespace ondravell::platform {

std::optional<bool> MemoryUserDefaults::boolForKey(const std::string& key) const {
    auto it = bools_.find(key);
    if (it == bools_.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> MemoryUserDefaults::stringForKey(const std::string& key) const {
    auto it = strings_.find(key);
    if (it == strings_.end())
        return std::nullopt;
    return it->second;
}

} // namespace ondravell::platform
