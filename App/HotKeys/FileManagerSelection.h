#pragma once

#include "App/HotKeys/HotKeyManager.h"

#include <string_view>

namespace ondravell {

namespace platform {
class ClipboardCopier;
class FileManagerSelections;
class FileManagerWindows;
class FrontmostApplication;
class GlobalHotKeys;
class OneShotTimers;
} // namespace platform

// What the file manager shows in its active window, asked from outside it. First what the file
// manager's module published for that window; for a window the module does not know, the selected
// items through a copy the file manager makes on request (the user's clipboard is put back
// afterwards), made once the hot key's own keys may be up, and the folder through the file manager's own
// list of its windows. Another program's active window gives nothing. Main thread only.
class FileManagerSelection {
public:
    // The desktop id of the file manager whose windows are asked.
    static constexpr std::string_view fileManagerID = "org.gnome.Nautilus";

    // Where the hot keys come from and the timers matter only for the copy: it waits as long as the
    // hot keys say their keys may still be held.
    struct Copy {
        platform::ClipboardCopier& copier;
        const platform::GlobalHotKeys& hotKeys;
        platform::OneShotTimers& timers;
    };

    FileManagerSelection(platform::FrontmostApplication& frontmost,
                         platform::FileManagerSelections& published, Copy copy,
                         platform::FileManagerWindows& windows)
        : frontmost_(frontmost), published_(published), copy_(copy), windows_(windows) {}

    // The local files selected, in the file manager's order; empty when none.
    void selectedItems(HotKeyManager::PathsHandler done);
    void frontWindowFolder(HotKeyManager::FolderHandler done);

private:
    bool fileManagerIsActive();

    platform::FrontmostApplication& frontmost_;
    platform::FileManagerSelections& published_;
    Copy copy_;
    platform::FileManagerWindows& windows_;
};

} // namespace ondravell
