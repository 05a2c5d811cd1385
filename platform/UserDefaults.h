#pragma once

#include <optional>
#include <string>

namespace ondravell::platform {

// The application's own small preferences (the menu-bar icon's visibility, onboarding state, ...),
// kept apart from the shared settings record. Keys are the same texts on every platform.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    // nullopt when the key is missing or does not hold a Boolean.
    virtual std::optional<bool> boolForKey(const std::string& key) const = 0;
    virtual void setBool(const std::string& key, bool value) = 0;
    // nullopt when the key is missing or does not hold a number. Dates are kept as seconds since
    // 1970-01-01 00:00:00 UTC.
    virtual std::optional<double> doubleForKey(const std::string& key) const = 0;
    virtual void setDouble(const std::string& key, double value) = 0;
    // nullopt when the key is missing.
    virtual std::optional<std::string> stringForKey(const std::string& key) const = 0;
    virtual void setString(const std::string& key, const std::string& value) = 0;
};

} // namespace ondravell::platform
