#pragma once

#include "App/HotKeys/HotKeyManager.h"

#include <string_view>

namespace ondravell {

namespace platform {
class ClipboardCopier;
class FileManagerSelections;
class FileManagerWindows;
class FrontmostApplication;
} // namespace platform

// What the file manager shows in its active window, asked from outside it. First what the file
// manager's module published for that window; for a window the module does not know, the selected
// items through a copy the file manager makes on request (the user's clipboard is put back
// afterwards) and the folder through the file manager's own list of its windows. Another program's
// active window gives nothing. Main thread only.
class FileManagerSelection {
public:
    // The desktop id of the file manager whose windows are asked.
    static constexpr std::string_view fileManagerID = "org.gnome.Nautilus";

    FileManagerSelection(platform::FrontmostApplication& frontmost,
                         platform::FileManagerSelections& published, platform::ClipboardCopier& copier,
                         platform::FileManagerWindows& windows)
        : frontmost_(frontmost), published_(published), copier_(copier), windows_(windows) {}

    // The local files selected, in the file manager's order; empty when none.
    void selectedItems(HotKeyManager::PathsHandler done);
    void frontWindowFolder(HotKeyManager::FolderHandler done);

private:
    bool fileManagerIsActive();

    platform::FrontmostApplication& frontmost_;
    platform::FileManagerSelections& published_;
    platform::ClipboardCopier& copier_;
    platform::FileManagerWindows& windows_;
};

} // namespace ondravell
