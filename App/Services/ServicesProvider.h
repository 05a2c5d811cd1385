#pragma once

#include "App/Services/FileActionServices.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The six file actions the file manager offers through the scripts the application installs (its
// context menu's Scripts submenu): copy the paths, copy the files, move to a chosen folder, new file,
// open in the terminal and hash. Each gets the selected items' paths; with none, nothing happens.
// Hashing and moving run on a worker; the clipboard, the folder dialog and toasts stay on the main
// thread. Main thread only.
class ServicesProvider {
public:
    struct Windows {
        // Asks for a folder with the confirm button "移动到这里"; nullopt when the user cancels.
        std::function<std::optional<std::filesystem::path>()> chooseMoveDestination;
        std::function<void(const std::filesystem::path& folder)> showNewFileWindow;
    };

    ServicesProvider(FileActionServices services, Windows windows)
        : services_(std::move(services)), windows_(std::move(windows)) {}

    // Runs the entry named ("odCopyPath", "odCopyFiles", "odMoveTo", "odNewFile", "odOpenTerminal",
    // "odHash"); any other name does nothing. A request with an item that is not an absolute path (or
    // holds a NUL) is refused as a whole, with a toast.
    void perform(std::string_view entry, const std::vector<std::string>& paths);

    void odCopyPath(const std::vector<std::filesystem::path>& urls);
    void odCopyFiles(const std::vector<std::filesystem::path>& urls);
    void odMoveTo(const std::vector<std::filesystem::path>& urls);
    void odNewFile(const std::vector<std::filesystem::path>& urls);
    void odOpenTerminal(const std::vector<std::filesystem::path>& urls);
    void odHash(const std::vector<std::filesystem::path>& urls);

    // The folder an item stands for: a folder itself, anything else (or what cannot be examined) its
    // parent.
    static std::filesystem::path folderOf(const std::filesystem::path& item);

private:
    FileActionServices services_;
    Windows windows_;
};

} // namespace ondravell
