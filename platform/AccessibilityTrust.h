#pragma once

namespace ondravell::platform {

// Whether the process may watch global input and synthesise key presses: true in an X11 session whose
// server offers XInput 2 and XTest, false otherwise (a pure Wayland session).
class AccessibilityTrust {
public:
    virtual ~AccessibilityTrust() = default;
    virtual bool isProcessTrusted() = 0;
};

} // namespace ondravell::platform
