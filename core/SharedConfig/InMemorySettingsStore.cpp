#include "core/SharedConfig/InMemorySettingsStore.h"

namespace ondravell {

std::optional<std::string> InMemorySettingsStore::loadData() {
    std::lock_guard guard(lock_);
    return data_;
}

bool InMemorySettingsStore::save(std::string_view data) {
    std::lock_guard guard(lock_);
    data_ = std::string(data);
    return true;
}

} // namespace ondravell
