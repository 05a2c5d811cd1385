#pragma once

#include "Extensions/FinderSync/FinderSyncController.h"
#include "Extensions/FinderSync/Menu.h"
#include "Extensions/FinderSync/MenuKind.h"
#include "Extensions/FinderSync/SharedFileCache.h"
#include "core/Models/MenuContext.h"
#include "core/Models/OndravellAction.h"
#include "platform/DesktopAppearance.h"
#include "platform/DistributedNotificationCenter.h"
#include "platform/OneShotTimers.h"
#include "platform/Pasteboard.h"
#include "platform/TaskQueue.h"
#include "platform/VolumeMonitor.h"

#include <functional>
#include <map>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ondravell {

class ToastQueue;

// The file manager's context-menu extension, free of any toolkit: it reads the selection through its
// controller, builds the menu from the user's settings (asked for every time; read again whenever the
// file changed) and runs the chosen
// item's command. Each action's code installs itself: a submenu builder for the actions that open a
// submenu, a handler for the commands its items carry. An action with neither is left out of the menu,
// like one that is not implemented.
class FinderSyncExtension {
public:
    // The platform services, owned by the host and alive as long as the extension.
    struct Services {
        FinderSyncController& controller;
        platform::Pasteboard& pasteboard;
        platform::DistributedNotificationCenter& notificationCenter;
        platform::DesktopAppearance& appearance;
        platform::VolumeMonitor& volumes;
        platform::TaskQueue& queue;
        // Safe to schedule from any thread (the toast queue does so from its workers).
        platform::OneShotTimers& timers;
        // Every toast of the module goes through this one queue; the extension makes it when not given.
        std::shared_ptr<ToastQueue> toasts = nullptr;
        // Asked for when the host quits: long work queued by the actions ends at its next step.
        std::stop_token stop = {};
    };

    using SubmenuBuilder = std::function<Menu(const OndravellSettings&, const MenuContext&)>;
    using CommandHandler = std::function<void(FinderSyncExtension&, const MenuCommand&, const MenuContext&)>;

    // Registers the observed directories and follows mounts and unmounts from then on; installs every
    // action this build carries.
    explicit FinderSyncExtension(Services services, std::shared_ptr<SharedFileCache> sharedFiles =
                                                        std::make_shared<SharedFileCache>());
    FinderSyncExtension(const FinderSyncExtension&) = delete;
    FinderSyncExtension& operator=(const FinderSyncExtension&) = delete;
    ~FinderSyncExtension();

    // The selection as the controller reports it now: the items in order (one whose kind is unknown
    // counts as a file) and, only when nothing is selected, the folder shown.
    MenuContext currentContext() const;

    // The menu for the current selection. Kinds other than items and container give an empty menu;
    // so does a context for which no action is left.
    Menu menu(MenuKind kind);
    Menu menu(MenuKind kind, const MenuContext& context);

    // Runs a command against the selection captured when its menu was built. A command no action
    // handles does nothing.
    void perform(const MenuCommand& command, const MenuContext& context);

    void setSubmenuBuilder(std::string actionID, SubmenuBuilder builder);
    void setCommandHandler(std::string actionID, CommandHandler handler);

    // Registers "/", the mount roots, their visible entries and every mounted volume as observed.
    void updateDirectoryURLs();
    void volumesChanged() { updateDirectoryURLs(); }

    bool isDarkMode() const { return services_.appearance.isDarkMode(); }

    // Builtins ordered by their first position in `enabledIDs` (absent ones last), ties in built-in
    // order.
    static std::vector<OndravellAction> orderedBuiltins(const std::vector<std::string>& enabledIDs);
    // A submenu of plain items without images, one per (title, command).
    static Menu submenu(const std::vector<std::pair<std::string, MenuCommand>>& entries);
    // The hash submenu: MD5, SHA-1, SHA-256, SHA-384 and SHA-512, each a "hash" command with the
    // algorithm as argument, for the hash actions to install.
    static Menu hashSubmenu();

    // Puts non-empty text on the clipboard; empty text leaves the clipboard as it was.
    void writePasteboard(const std::string& text);
    // Asks the application to show a toast, through the module's one toast queue, off the host's thread.
    void postToast(std::string message, std::string symbol);

    // Shared with the work the actions queue, which may outlive the extension.
    const std::shared_ptr<SharedFileCache>& sharedFiles() const { return sharedFiles_; }
    const Services& services() const { return services_; }

private:
    MenuItem itemFor(const OndravellAction& action, const OndravellSettings& settings,
                     const MenuContext& context, bool dark) const;
    bool isOffered(const OndravellAction& action) const;

    Services services_;
    std::shared_ptr<SharedFileCache> sharedFiles_;
    std::map<std::string, SubmenuBuilder, std::less<>> submenuBuilders_;
    std::map<std::string, CommandHandler, std::less<>> commandHandlers_;
};

} // namespace ondravell
