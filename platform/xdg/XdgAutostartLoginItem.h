#pragma once

#include "platform/LoginItem.h"

#include <filesystem>

namespace ondravell::platform {

// Launch at login as an autostart entry "ondravell.desktop" in `$XDG_CONFIG_HOME/autostart/` (default
// `~/.config/autostart/`), which every freedesktop session starts at login.
class XdgAutostartLoginItem final : public LoginItem {
public:
    // `program` is the executable the entry starts; `folder` overrides the autostart folder.
    explicit XdgAutostartLoginItem(std::filesystem::path program, std::filesystem::path folder = {});

    bool isEnabled() const override;
    bool setEnabled(bool enabled) override;

    std::filesystem::path entryPath() const { return folder_ / "ondravell.desktop"; }
    static std::filesystem::path defaultFolder();

private:
    std::filesystem::path program_;
    std::filesystem::path folder_;
};

} // namespace ondravell::platform
