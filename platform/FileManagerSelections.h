#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ondravell::platform {

// What the file manager's own module last reported about one of its windows.
struct FileManagerWindowState {
    // The D-Bus object path the file manager gave the window (_GTK_WINDOW_OBJECT_PATH).
    std::string windowObjectPath;
    // The local folder the window shows; nullopt for the trash, a search or a network location.
    std::optional<std::filesystem::path> folder;
    // The local files among the selected items, in the file manager's order.
    std::vector<std::filesystem::path> selectedFiles;
    friend bool operator==(const FileManagerWindowState&, const FileManagerWindowState&) = default;
};

// The selection and folder of the file manager's windows, as its module publishes them at every
// change: reading them leaves the user's clipboard alone and needs no synthesised keys.
class FileManagerSelections {
public:
    // nullopt: nothing is known of the window (the module is not loaded, the file manager does not run
    // or answer in time, or the window never reported).
    using Handler = std::function<void(std::optional<FileManagerWindowState>)>;

    virtual ~FileManagerSelections() = default;

    // The state of the window with this object path or, without one, of the window whose selection
    // changed last. Calls `handler` once on the event loop's thread, later or at once; not after the
    // service is destroyed.
    virtual void windowState(const std::optional<std::string>& windowObjectPath, Handler handler) = 0;
};

} // namespace ondravell::platform
