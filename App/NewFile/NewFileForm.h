#pragma once

#include "core/FileOps/OperationHistory.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace ondravell {

// What the new-file window decides without its widgets: when "创建" is enabled, the extension as it is
// used, and the creation itself with its history entry and its toast or access hint.
struct NewFileForm {
    static constexpr std::string_view initialName = "未命名";

    struct Services {
        OperationHistory history;
        std::function<void(const std::string& message, const std::string& symbol)> showToast;
        // The folder could not be written: tells the user why, in the words of `failureMessage`.
        std::function<void(const std::string& message)> showAccessHint;
    };

    NewFileForm() = delete;

    // The name trimmed of spaces and tabs at both ends.
    static std::string trimmedName(std::string_view fileName);
    // The extension trimmed of points and spaces at both ends, in lower case (" .MD " gives "md").
    static std::string normalizedExtension(std::string_view fileExtension);
    // "创建" is enabled only for a name that stays in the folder: not empty once trimmed, no "/" or NUL,
    // not "." or "..", and an extension without "/" or NUL.
    static bool canCreate(std::string_view fileName, std::string_view fileExtension);
    // Why no file could be made in a folder, from the error of the creation: the folder is missing, it
    // is not writable, or another reason.
    static std::string failureMessage(std::error_code error);
    // The form's title for a folder: its last name, or the path itself for "/" and other paths that
    // end without one.
    static std::string title(const std::filesystem::path& directory);
    // Creates the empty file under the first free name and records and confirms it; on failure shows
    // the access hint. The new file's location, or nullopt.
    static std::optional<std::filesystem::path>
    create(const std::filesystem::path& directory, std::string_view fileName, std::string_view fileExtension,
           std::chrono::system_clock::time_point now, const Services& services);
};

} // namespace ondravell
