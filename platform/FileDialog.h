#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ondravell::platform {

// What the user is asked to choose, and where the dialog starts.
struct FileDialogRequest {
    enum class Kind { openFile, openFolder, saveFile };

    Kind kind = Kind::openFile;
    std::string title;
    // The folder the dialog opens in.
    std::filesystem::path directory;
    // Further folders offered for a quick jump (the dialog's sidebar).
    std::vector<std::filesystem::path> places;
    // Patterns of the files that can be chosen ("*.desktop"); empty: any file.
    std::vector<std::string> nameFilters;
    // The text of the confirming button; empty: the dialog's own.
    std::string acceptLabel;
    // The file name proposed when saving.
    std::string proposedName;

    bool operator==(const FileDialogRequest&) const = default;
};

// A modal file dialog. Main thread only.
class FileDialog {
public:
    virtual ~FileDialog() = default;

    // The chosen path; nullopt when the user cancels.
    virtual std::optional<std::filesystem::path> run(const FileDialogRequest& request) = 0;
};

} // namespace ondravell::platform
