#pragma once

#include "Extensions/FinderSync/ClipboardState.h"
#include "core/Models/MenuContext.h"
#include "platform/Pasteboard.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace ondravell {

class FinderSyncExtension;

// Copy, cut and paste of files through the desktop's clipboard. Copy and cut offer the files the way
// file managers paste them, plus a token of our own that "clipboard.json" remembers; a paste moves only
// what our own cut put there and the clipboard still holds, and copies everything else.
struct PasteboardFileActions {
    static constexpr std::string_view copyActionID = "copy.file";
    static constexpr std::string_view cutActionID = "cut.file";
    static constexpr std::string_view pasteActionID = "paste.here";

    static void install(FinderSyncExtension& extension);

    // Puts the items on the clipboard and remembers whether they were cut. No items: nothing happens.
    static void writeFilesToPasteboard(FinderSyncExtension& extension, bool cut, const MenuContext& context);
    // Reads the files on the clipboard, then copies or moves them into the paste destination on the
    // worker, with progress, a history entry and a toast. No destination or no local file: nothing.
    static void pasteHere(FinderSyncExtension& extension, const MenuContext& context);

    // The folder clicked into, else the first selected folder; a selected file never leads to its folder.
    static std::optional<std::filesystem::path> pasteDestination(const MenuContext& context);
    // The clipboard's entries that name files on this machine, in order.
    static std::vector<std::filesystem::path> localFiles(const std::vector<std::filesystem::path>& paths);
    // A paste moves when our cut is remembered and the clipboard still carries the token of that cut.
    static bool movesOnPaste(const std::optional<platform::PasteboardToken>& token,
                             const ClipboardState& state);
};

} // namespace ondravell
