#pragma once

#include "platform/UserDefaults.h"

#include <map>

namespace ondravell::platform {

class MemoryUserDefaults final : public UserDefaults {
public:
    std::optional<bool> boolForKey(const std::string& key) const override;
    void setBool(const std::string& key, bool value) override { bools_[key] = value; }

private:
    std::map<std::string, bool> bools_;
};

} // namespace ondravell::platform
