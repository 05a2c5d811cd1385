#include "core/FileOps/AppLauncherCatalog.h"

namespace ondravell {

const std::vector<LaunchableApp>& AppLauncherCatalog::terminals() {
    static const std::vector<LaunchableApp> apps = {
        {"com.apple.Terminal", "终端 (Terminal)"}, {"com.googlecode.iterm2", "iTerm"},
        {"dev.warp.Warp-Stable", "Warp"},          {"com.mitchellh.ghostty", "Ghostty"},
        {"net.kovidgoyal.kitty", "kitty"},         {"org.alacritty", "Alacritty"},
        {"com.github.wez.wezterm", "WezTerm"},     {"co.zeit.hyper", "Hyper"},
        {"com.raphaelamorim.rio", "Rio"},
    };
    return apps;
}

const std::vector<LaunchableApp>& AppLauncherCatalog::editors() {
    static const std::vector<LaunchableApp> apps = {
        {"com.microsoft.VSCode", "Visual Studio Code"},
        {"com.microsoft.VSCodeInsiders", "VS Code Insiders"},
        {"com.todesktop.230313mzl4w4u92", "Cursor"},
        {"dev.zed.Zed", "Zed"},
        {"com.sublimetext.4", "Sublime Text"},
        {"com.sublimetext.3", "Sublime Text 3"},
        {"com.jetbrains.intellij", "IntelliJ IDEA"},
        {"com.jetbrains.pycharm", "PyCharm"},
        {"com.apple.dt.Xcode", "Xcode"},
        {"com.barebones.bbedit", "BBEdit"},
        {"com.coteditor.CotEditor", "CotEditor"},
        {"abnerworks.Typora", "Typora"},
        {"com.apple.TextEdit", "文本编辑 (TextEdit)"},
    };
    return apps;
}

} // namespace ondravell
