#pragma once

#include "App/Services/ConfigBundle.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace ondravell {

namespace platform {
class FileDialog;
}

// Export and import of the whole configuration as one JSON file, started by the user from the settings.
// Main thread only; both run their file dialog (and the import its confirmation) modally.
struct ConfigBackup {
    using Bundle = ConfigBundle;

    static constexpr const char* proposedFileName = "Ondravell-config.json";

    ConfigBackup() = delete;

    struct Message {
        std::string text;
        std::string symbol;
        bool operator==(const Message&) const = default;
    };

    // How export and import talk to the user.
    struct Prompts {
        // Where the user picks the file; without it nothing happens.
        platform::FileDialog* fileDialog = nullptr;
        // Asks before an import replaces the configuration; true: go on.
        std::function<bool()> confirmImport;
        std::function<void(const Message&)> toast;
    };

    // Save dialog, then the file; a toast tells how the write went. Cancelling does nothing.
    static void exportConfig(const Prompts& prompts);
    // Open dialog, the file is decoded, the user confirms, the configuration is replaced and the hot keys
    // are registered again. Every outcome but a cancel shows a toast.
    static void importConfig(const Prompts& prompts);
    // The warning alert that asks before an import ("导入配置？").
    static bool confirmImportAlert();

    // The steps after the dialogs, for callers that already know the file.
    // The current configuration as the file's bytes; nullopt when it cannot be encoded.
    static std::optional<std::string> exportBytes();
    static Message writeExport(const std::filesystem::path& target, const std::string& bytes);
    // The file's bundle; nullopt (the import ends with `unreadableMessage()`) for a file that cannot be
    // read or is no bundle.
    static std::optional<Bundle> readImport(const std::filesystem::path& source);
    static Message unreadableMessage();
    // Replaces the configuration, registers the hot keys again and says how it went.
    static Message applyImport(const Bundle& bundle);
};

} // namespace ondravell
