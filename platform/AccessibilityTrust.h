#pragma once

#include <optional>
#include <string>

namespace ondravell::platform {

// Whether the process may watch global input and synthesise key presses: true in an X11 session whose
// server offers XInput 2 and XTest, false otherwise (a pure Wayland session).
class AccessibilityTrust {
public:
    virtual ~AccessibilityTrust() = default;
    virtual bool isProcessTrusted() = 0;
    // One line for the user, in Chinese: which of the global services this session lacks and how to
    // get them; nullopt when nothing is missing.
    virtual std::optional<std::string> missingServices() { return std::nullopt; }
};

} // namespace ondravell::platform
