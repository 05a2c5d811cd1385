#include "platform/memory/MemoryGlobalHotKeys.h"

namespace ondravell::platform {

std::optional<GlobalHotKeys::Reference>
MemoryGlobalHotKeys::registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers, std::uint32_t id) {
    Combination combination{keyCode, carbonModifiers};
    if (heldElsewhere_.contains(combination))
        return std::nullopt;
    for (const auto& [reference, entry] : registered_)
        if (entry.first == combination)
            return std::nullopt;
    Reference reference = nextReference_++;
    registered_[reference] = {combination, id};
    return reference;
}

std::map<MemoryGlobalHotKeys::Combination, std::uint32_t> MemoryGlobalHotKeys::registeredIDs() const {
    std::map<Combination, std::uint32_t> ids;
    for (const auto& [reference, entry] : registered_)
        ids[entry.first] = entry.second;
    return ids;
}

bool MemoryGlobalHotKeys::press(Combination combination) {
    for (const auto& [reference, entry] : registered_) {
        if (entry.first == combination) {
            if (handler_)
                handler_(entry.second);
            return true;
        }
    }
    return false;
}

} // namespace ondravell::platform
