#pragma once

#include "platform/AccessibilityTrust.h"

namespace ondravell::platform {

// Trust in a GNOME Wayland session, service by service: the X server's (XWayland's) input services
// as `base` reports them, and the program's Shell extension, without which the hot keys fall back to
// the desktop's custom shortcuts and the focused window is known for X11 windows only. Whether the
// extension answers is asked each time, so a later login that starts it shows at once.
class WaylandSessionTrust final : public AccessibilityTrust {
public:
    explicit WaylandSessionTrust(AccessibilityTrust& base) : base_(base) {}

    bool isProcessTrusted() override { return base_.isProcessTrusted(); }
    std::optional<std::string> missingServices() override;

private:
    AccessibilityTrust& base_;
};

} // namespace ondravell::platform
