#pragma once

#include "platform/FocusedText.h"
#include "platform/FrontmostApplication.h"

namespace ondravell::platform {

// The frontmost application where the display server does not say (a Wayland window): `first` when it
// knows (the X11 window manager's active window), else the application of the accessibility bus's
// focused object.
class AccessibleFrontmostApplication final : public FrontmostApplication {
public:
    AccessibleFrontmostApplication(FrontmostApplication& first, FocusedText& focused)
        : first_(first), focused_(focused) {}

    std::optional<std::string> bundleIdentifier() override {
        if (std::optional<std::string> id = first_.bundleIdentifier())
            return id;
        std::optional<FocusedText::Focus> focus = focused_.focus();
        if (!focus || focus->application.empty())
            return std::nullopt;
        return focus->application;
    }
    std::optional<std::string> windowObjectPath() override { return first_.windowObjectPath(); }
    // The accessibility bus's focused object is no window: its process is not asked for here.
    std::optional<std::int64_t> processId() override { return first_.processId(); }

private:
    FrontmostApplication& first_;
    FocusedText& focused_;
};

} // namespace ondravell::platform
