#pragma once

#include "App/Host/SessionServices.h"
#include "platform/x11/X11FrontmostApplication.h"
#include "platform/x11/X11GlobalHotKeys.h"

namespace ondravell {

// An X11 session's services: the X server sees every window, so global input, key grabs, synthesised
// keys and the active window all come from it.
class X11SessionServices final : public SessionServices {
public:
    explicit X11SessionServices(const std::string& accessibilityHelper)
        : SessionServices(accessibilityHelper) {}

    platform::AccessibilityTrust& trust() override { return x11Trust_; }
    platform::GlobalMouseMonitors& mouseMonitors() override { return x11MouseMonitors_; }
    platform::KeySynthesizer& keys() override { return x11Keys_; }
    platform::FrontmostApplication& frontmost() override { return frontmost_; }
    platform::GlobalHotKeys& hotKeys() override { return hotKeys_; }

private:
    platform::X11FrontmostApplication frontmost_;
    platform::X11GlobalHotKeys hotKeys_;
};

} // namespace ondravell
