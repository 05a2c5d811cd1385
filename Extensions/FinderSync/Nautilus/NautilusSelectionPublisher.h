#pragma once

#include <optional>
#include <string>
#include <vector>

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GtkApplication GtkApplication;

namespace ondravell::nautilus {

// Publishes, for each window of the file manager, the folder it shows and the items selected in it, as
// Nautilus reports them to the menu provider at every change (the window is the application's active
// one at that moment). The object lives on Nautilus's own session-bus connection; its layout is
// platform::DBusFileManagerSelections's. Reading it costs Nautilus's main thread no more than copying
// the list; nothing here waits for the bus. Main thread only.
class NautilusSelectionPublisher {
public:
    NautilusSelectionPublisher() = default;
    ~NautilusSelectionPublisher();
    NautilusSelectionPublisher(const NautilusSelectionPublisher&) = delete;
    NautilusSelectionPublisher& operator=(const NautilusSelectionPublisher&) = delete;

    // The URIs of the items now selected in the active window (empty: none).
    void selectionChanged(std::vector<std::string> uris);
    // The URI of the folder the active window shows.
    void folderShown(std::string uri);

    struct Window {
        std::string objectPath;
        std::string folderURI;
        std::vector<std::string> selectedURIs;
    };
    // Most recently changed first.
    const std::vector<Window>& windows() const { return windows_; }
    void windowRemoved(const std::string& objectPath);

private:
    // The entry of the active window, moved to the front; nullptr when there is no such window.
    Window* activeWindow();
    void exportIfNeeded(GtkApplication* application);
    void announceChange();

    std::vector<Window> windows_;
    GDBusConnection* connection_ = nullptr;
    GtkApplication* application_ = nullptr;
    unsigned registration_ = 0;
    unsigned long windowRemovedHandler_ = 0;
};

} // namespace ondravell::nautilus
