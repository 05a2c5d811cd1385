#pragma once

#include "core/Models/MenuContext.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

class FinderSyncExtension;

namespace platform {
class AppLauncher;
}

// Opening a folder in the user's terminal and the selection in the user's editor. The user's choice
// stands when it is installed; otherwise the system's own terminal, and for the editor the first
// installed editor of the catalogue before the system's own one.
struct OpenWithActions {
    static constexpr std::string_view terminalActionID = "open.terminal";
    static constexpr std::string_view editorActionID = "open.editor";
    static constexpr std::string_view systemTerminalBundleID = "com.apple.Terminal";
    static constexpr std::string_view systemEditorBundleID = "com.apple.TextEdit";

    // The launcher is owned by the host; launches run on the extension's worker.
    static void install(FinderSyncExtension& extension, platform::AppLauncher& launcher);

    // The first selected folder; else the first item's parent; with nothing selected, the folder
    // clicked into.
    static std::optional<std::filesystem::path> terminalTargetDirectory(const MenuContext& context);
    // Every selected item in order; with nothing selected, the folder clicked into.
    static std::vector<std::filesystem::path> editorTargets(const MenuContext& context);

    // `preferred` when it is set and installed, else `fallback`.
    static std::string resolve(const platform::AppLauncher& launcher,
                               const std::optional<std::string>& preferred, std::string_view fallback);
    // The first editor of the catalogue that is installed.
    static std::optional<std::string> detectDefaultEditorBundleID(const platform::AppLauncher& launcher);
};

} // namespace ondravell
