#pragma once

#include "platform/ServiceRequest.h"

#include <functional>
#include <memory>
#include <string>

namespace ondravell {

class AppRequestHandler;
class FileManagerSelection;
class HistoryActions;
class ProxyActionHandler;
class ServicesProvider;
class MenuBarItem;
class LoadedUpdateFetcher;
class RequestObservers;
struct OndravellSettings;
namespace platform {
class AccessibilityTrust;
class AppLauncher;
class ContentTypeReader;
class ImageSizeReader;
class Pasteboard;
class PasteboardImageReader;
class TaskQueue;
class DistributedNotificationCenter;
class ClipboardCopier;
class FileDialog;
class FileManagerSelections;
class FileManagerWindows;
class FrontmostApplication;
class FinderExtensionStatus;
class FinderHiddenFiles;
class FolderWatcher;
class GlobalHotKeys;
class OneShotTimers;
class SystemSettingsOpener;
class Trash;
class UserDefaults;
} // namespace platform

// Starts the application and answers a second launch. Main thread only.
class AppDelegate {
public:
    // The platform services, made by the program's composition root and kept for the process's life.
    struct Services {
        platform::DistributedNotificationCenter& center;
        platform::UserDefaults& userDefaults;
        platform::AccessibilityTrust& trust;
        platform::FinderHiddenFiles& hiddenFiles;
        platform::FinderExtensionStatus& extensionStatus;
        platform::SystemSettingsOpener& settingsOpener;
        // What the file actions asked for by name work with.
        platform::TaskQueue& queue;
        platform::Pasteboard& pasteboard;
        platform::PasteboardImageReader& pasteboardImage;
        platform::AppLauncher& launcher;
        platform::ContentTypeReader& contentTypes;
        platform::ImageSizeReader& imageSizes;
        // Where undo puts copies and created files.
        platform::Trash& trash;
        platform::GlobalHotKeys& hotKeys;
        // Where transfers ask for their destination.
        platform::FileDialog& fileDialog;
        // What the hot keys learn the file manager's selection and folder from.
        platform::FrontmostApplication& frontmost;
        platform::FileManagerSelections& fileManagerSelections;
        platform::ClipboardCopier& clipboardCopier;
        platform::FileManagerWindows& fileManagerWindows;
        platform::OneShotTimers& timers;
        platform::FolderWatcher& folderWatcher;
        std::function<OndravellSettings()> loadSettings;
        std::function<void()> quit;
        // Installs the file manager's extension (the onboarding's enable button).
        std::function<void()> enableFinderExtension;
        // Opens a web page in the default browser.
        std::function<void(const std::string& url)> openURL;
    };

    explicit AppDelegate(Services services);
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // The launch sequence: tray item, request observers, global hot keys, selection toolbar trigger, cloud
    // sync, the daily update check and, at first launch, the welcome window. The Services menu has no
    // step yet.
    void applicationDidFinishLaunching();
    // Another launch while this one runs: when the tray item is hidden (or there is no tray), the
    // settings window opens on the page it last showed. Always true.
    bool applicationShouldHandleReopen();
    // One of the file manager's script entries, asked for by a launch of the program.
    void performService(const platform::ServiceRequest& request);

private:
    void startSync();
    void startUpdateCheck();

    Services services_;
    std::unique_ptr<HistoryActions> history_;
    std::unique_ptr<ProxyActionHandler> proxyActions_;
    std::unique_ptr<ServicesProvider> servicesProvider_;
    std::unique_ptr<AppRequestHandler> requestHandler_;
    std::unique_ptr<RequestObservers> observers_;
    std::unique_ptr<FileManagerSelection> fileManager_;
    std::unique_ptr<MenuBarItem> menuBarItem_;
    std::unique_ptr<LoadedUpdateFetcher> updateFetcher_;

public:
    // The tray item, once the launch made it.
    MenuBarItem* menuBarItem() const { return menuBarItem_.get(); }
};

} // namespace ondravell
