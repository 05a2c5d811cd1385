#pragma once

#include "platform/UserDefaults.h"

#include <map>

namespace ondravell::platform {

class MemoryUserDefaults final : public UserDefaults {
public:
    std::optional<bool> boolForKey(const std::string& key) const override;
    void setBool(const std::string& key, bool value) override { bools_[key] = value; }
    std::optional<double> doubleForKey(const std::string& key) const override;
    void setDouble(const std::string& key, double value) override { doubles_[key] = value; }
    std::optional<std::string> stringForKey(const std::string& key) const override;
    void setString(const std::string& key, const std::string& value) override { strings_[key] = value; }

private:
    std::map<std::string, bool> bools_;
    std::map<std::string, double> doubles_;
    std::map<std::string, std::string> strings_;
};

} // namespace ondravell::platform
