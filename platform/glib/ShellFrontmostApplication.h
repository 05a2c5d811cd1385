#pragma once

#include "platform/FrontmostApplication.h"

namespace ondravell::platform {

// The focused window as the program's Shell extension reports it: its application's desktop id and
// the object path GTK gave it, for Wayland and X11 windows alike. When the extension does not answer
// (disabled, crashed, or the program does not own its name yet), `fallback` answers instead.
class ShellFrontmostApplication final : public FrontmostApplication {
public:
    explicit ShellFrontmostApplication(FrontmostApplication& fallback) : fallback_(fallback) {}

    std::optional<std::string> bundleIdentifier() override;
    std::optional<std::string> windowObjectPath() override;

private:
    FrontmostApplication& fallback_;
};

} // namespace ondravell::platform
