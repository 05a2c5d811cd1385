#pragma once

#include "platform/AccessibilityTrust.h"

#include <functional>

namespace ondravell::platform {

// Trust in a GNOME Wayland session, service by service: the X server's (XWayland's) input services
// as `base` reports them, and the program's Shell extension, without which the hot keys fall back to
// the desktop's custom shortcuts and the focused window is known for X11 windows only. Whether the
// extension answers is asked each time, so a later login that starts it shows at once, unless the
// extension itself has told (`extensionTold`: whether it runs, nullopt before it said anything): then
// the Shell is not asked, and a stuck one holds nothing up.
class WaylandSessionTrust final : public AccessibilityTrust {
public:
    explicit WaylandSessionTrust(AccessibilityTrust& base) : base_(base) {}

    void setExtensionTold(std::function<std::optional<bool>()> told) { extensionTold_ = std::move(told); }

    bool isProcessTrusted() override { return base_.isProcessTrusted(); }
    std::optional<std::string> missingServices() override;

private:
    AccessibilityTrust& base_;
    std::function<std::optional<bool>()> extensionTold_;
};

} // namespace ondravell::platform
