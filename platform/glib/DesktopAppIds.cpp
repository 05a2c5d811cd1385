#include "platform/glib/DesktopAppIds.h"

#include <map>

namespace ondravell::platform {

namespace {

constexpr std::string_view desktopSuffix = ".desktop";

const std::map<std::string, std::vector<std::string>, std::less<>>& catalogue() {
    static const std::map<std::string, std::vector<std::string>, std::less<>> ids = {
        // The system's own terminal and editor stand for whichever the desktop ships.
        {"com.apple.Terminal",
         {"org.gnome.Console.desktop", "org.gnome.Terminal.desktop", "org.kde.konsole.desktop",
          "xfce4-terminal.desktop", "debian-xterm.desktop"}},
        {"com.apple.TextEdit",
         {"org.gnome.TextEditor.desktop", "org.gnome.gedit.desktop", "org.kde.kate.desktop",
          "org.xfce.mousepad.desktop"}},
        {"com.googlecode.iterm2", {}},
        {"dev.warp.Warp-Stable", {"dev.warp.Warp.desktop"}},
        {"com.mitchellh.ghostty", {"com.mitchellh.ghostty.desktop"}},
        {"net.kovidgoyal.kitty", {"kitty.desktop"}},
        {"org.alacritty", {"Alacritty.desktop", "com.alacritty.Alacritty.desktop"}},
        {"com.github.wez.wezterm", {"org.wezfurlong.wezterm.desktop"}},
        {"co.zeit.hyper", {"hyper.desktop"}},
        {"com.raphaelamorim.rio", {"rio.desktop"}},
        {"com.microsoft.VSCode", {"code.desktop"}},
        {"com.microsoft.VSCodeInsiders", {"code-insiders.desktop"}},
        {"com.todesktop.230313mzl4w4u92", {"cursor.desktop"}},
        {"dev.zed.Zed", {"dev.zed.Zed.desktop"}},
        {"com.sublimetext.4", {"sublime_text.desktop"}},
        {"com.sublimetext.3", {"sublime_text.desktop"}},
        {"com.jetbrains.intellij", {"jetbrains-idea.desktop", "jetbrains-idea-ce.desktop"}},
        {"com.jetbrains.pycharm", {"jetbrains-pycharm.desktop", "jetbrains-pycharm-ce.desktop"}},
        {"com.apple.dt.Xcode", {}},
        {"com.barebones.bbedit", {}},
        {"com.coteditor.CotEditor", {}},
        {"abnerworks.Typora", {"typora.desktop"}},
    };
    return ids;
}

} // namespace

std::vector<std::string> DesktopAppIds::candidates(std::string_view bundleID) {
    if (auto found = catalogue().find(bundleID); found != catalogue().end())
        return found->second;
    // A desktop-file id is a file name below the applications folders, never a path.
    if (bundleID.empty() || bundleID.find('/') != std::string_view::npos)
        return {};
    std::string id(bundleID);
    if (!id.ends_with(desktopSuffix))
        id += desktopSuffix;
    return {id};
}

} // namespace ondravell::platform
