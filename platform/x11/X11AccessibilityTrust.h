#pragma once

#include "platform/AccessibilityTrust.h"

#include <optional>

namespace ondravell::platform {

// Trusted when the X server of $DISPLAY offers XInput 2 (global mouse input), XTest (synthesised
// keys) and XFixes (who took the selection, and when). The answer is asked once and kept: the server's extensions do not change while it runs.
class X11AccessibilityTrust final : public AccessibilityTrust {
public:
    bool isProcessTrusted() override;

private:
    std::optional<bool> answer_;
};

} // namespace ondravell::platform
