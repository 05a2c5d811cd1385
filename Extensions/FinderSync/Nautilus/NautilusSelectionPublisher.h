#pragma once

#include <optional>
#include <string>
#include <vector>

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GtkApplication GtkApplication;

namespace ondravell::nautilus {

// Publishes, for each window of the file manager, the folder it shows and the items selected in it, as
// Nautilus reports them to the menu provider at every change. The object lives on Nautilus's own
// session-bus connection; its layout is platform::DBusFileManagerSelections's. Reading it costs
// Nautilus's main thread no more than copying the list; nothing here waits for the bus. Main thread
// only.
//
// A report can come from any window, not only the active one (a file removed under another window's
// selection changes that selection), and it does not say which: Nautilus reports a view's selection,
// then its folder. The pair is booked to the one window whose current folder that is; when several
// windows show it, or Nautilus does not say what its windows show, nobody can tell whose state changed,
// so those windows' entries are withdrawn rather than left to answer wrongly.
class NautilusSelectionPublisher {
public:
    NautilusSelectionPublisher() = default;
    ~NautilusSelectionPublisher();
    NautilusSelectionPublisher(const NautilusSelectionPublisher&) = delete;
    NautilusSelectionPublisher& operator=(const NautilusSelectionPublisher&) = delete;

    // The URIs of the items now selected in a view (empty: none); kept until its folder is reported.
    void selectionChanged(std::vector<std::string> uris);
    // The URI of the folder that view shows.
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
    // The running application, once its selections are exported; nullptr before that.
    GtkApplication* exportedApplication();
    void exportIfNeeded(GtkApplication* application);
    // The entry of the window with this object path, made if needed and moved to the front.
    Window& entry(const std::string& objectPath);
    void withdraw(const std::vector<std::string>& objectPaths);
    void announceChange();

    std::vector<Window> windows_;
    std::optional<std::vector<std::string>> pendingSelection_;
    GDBusConnection* connection_ = nullptr;
    GtkApplication* application_ = nullptr;
    unsigned registration_ = 0;
    unsigned long windowRemovedHandler_ = 0;
};

} // namespace ondravell::nautilus
