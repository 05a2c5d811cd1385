#pragma once

namespace ondravell::platform {

// Whether the application starts when the user logs in.
class LoginItem {
public:
    virtual ~LoginItem() = default;
    virtual bool isEnabled() const = 0;
    // Registers or unregisters the application; false when the desktop refused.
    virtual bool setEnabled(bool enabled) = 0;
};

} // namespace ondravell::platform
