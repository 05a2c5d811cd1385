#include "App/Host/AppDelegate.h"

#include "App/History/HistoryActions.h"
#include "App/Host/AppRequestHandler.h"
#include "App/Host/FinderExtensionGuide.h"
#include "App/Host/MenuBarItem.h"
#include "App/Host/RequestObservers.h"
#include "App/Host/SelectionTriggerArming.h"
#include "App/HotKeys/FileManagerSelection.h"
#include "App/HotKeys/HotKeyManager.h"
#include "App/MainWindow/SettingsWindowController.h"
#include "App/NewFile/NewFileWindowController.h"
#include "App/Onboarding/OnboardingWindowController.h"
#include "App/Selection/SelectionMonitor.h"
#include "App/Services/ICloudSync.h"
#include "App/Services/LoadedUpdateFetcher.h"
#include "App/Services/ProxyActionHandler.h"
#include "App/Services/ServicesProvider.h"
#include "App/Services/ServicesScripts.h"
#include "App/Services/UpdateChecker.h"
#include "App/Toast/ToastPresenter.h"
#include "core/FileOps/FileTemplate.h"
#include "core/FileOps/OperationJournal.h"
#include "core/FileOps/TemplateStore.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/FileDialog.h"
#include "platform/FinderExtensionStatus.h"
#include "platform/TaskQueue.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMetaObject>
#include <QTimer>

namespace ondravell {

namespace {

// How long after start-up the daily update check begins.
constexpr int updateCheckDelayMs = 3000;

double secondsSince1970() {
    return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

void showToast(const std::string& message, const std::string& symbol) {
    ToastPresenter::shared().show(message, symbol);
}

} // namespace

AppDelegate::AppDelegate(Services services)
    : services_(std::move(services)),
      history_(std::make_unique<HistoryActions>(
          OperationHistory::forAppGroup(OndravellIPC::appGroupID),
          [&trash = services_.trash, history = OperationHistory::forAppGroup(OndravellIPC::appGroupID)](
              const FileOperation& operation) { return OperationJournal::undo(history, operation, trash); },
          showToast,
          HistoryActions::Threads{[&queue = services_.queue](HistoryActions::Task task) {
                                      queue.runInBackground(std::move(task));
                                  },
                                  [&queue = services_.queue](HistoryActions::Task task) {
                                      queue.runOnMain(std::move(task));
                                  }})) {}

AppDelegate::~AppDelegate() {
    // The monitors' and watches' platform services end with the program's composition root, right
    // after this.
    SelectionMonitor::shared().stop();
    ICloudSync::shared().stop();
}

void AppDelegate::applicationDidFinishLaunching() {
    // Pastes a killed process left unrecorded, and what killed history writers left beside the history.
    services_.queue.runInBackground(
        [] { OperationJournal::tidyHistoryFolder(OperationHistory::forAppGroup(OndravellIPC::appGroupID)); });
    SettingsWindowController::shared().setHistoryActions(*history_);
    menuBarItem_ = std::make_unique<MenuBarItem>(
        services_.userDefaults, *history_,
        MenuBarItem::Commands{
            [] { SettingsWindowController::shared().show(); },
            [] { SettingsWindowController::shared().show(SettingsNavigation::Section::history); },
            services_.quit,
            [&opener = services_.settingsOpener] {
                // Nautilus has no switch of its own for extensions; say so rather than do nothing.
                if (!FinderExtensionGuide::openSystemSettings(opener))
                    ToastPresenter::shared().show("没有可打开的扩展设置：请安装 Nautilus 扩展后重启 Nautilus",
                                                  "exclamationmark.triangle.fill");
            },
            [&status = services_.extensionStatus] { return status.isExtensionEnabled(); },
        });
    menuBarItem_->refresh();

    FileActionServices fileActions{services_.queue,
                                   services_.pasteboard,
                                   services_.pasteboardImage,
                                   services_.launcher,
                                   services_.contentTypes,
                                   services_.imageSizes,
                                   OperationHistory::forAppGroup(OndravellIPC::appGroupID),
                                   services_.loadSettings,
                                   [](const std::string& message, const std::string& symbol) {
                                       ToastPresenter::shared().show(message, symbol);
                                   }};
    proxyActions_ = std::make_unique<ProxyActionHandler>(
        fileActions, [] { return TemplateStore(TemplateStore::appGroupID).allTemplates(); });
    requestHandler_ = std::make_unique<AppRequestHandler>(services_.hiddenFiles, *proxyActions_,
                                                          services_.queue, services_.fileDialog);

    // The file manager's entries for the file actions: its scripts, written for this program.
    servicesProvider_ = std::make_unique<ServicesProvider>(
        fileActions,
        ServicesProvider::Windows{[&dialog = services_.fileDialog]() -> std::optional<std::filesystem::path> {
                                      platform::FileDialogRequest request;
                                      request.kind = platform::FileDialogRequest::Kind::openFolder;
                                      request.acceptLabel = "移动到这里";
                                      request.title = request.acceptLabel;
                                      return dialog.run(request);
                                  },
                                  [this](const std::filesystem::path& folder) {
                                      requestHandler_->showNewFileWindow(folder.string());
                                  }});
    ServicesScripts::install(ServicesScripts::folder(),
                             QCoreApplication::applicationFilePath().toStdString());

    observers_ = std::make_unique<RequestObservers>(
        services_.center, *requestHandler_, [](std::function<void()> work) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
        });
    observers_->registerAll();

    fileManager_ = std::make_unique<FileManagerSelection>(
        services_.frontmost, services_.fileManagerSelections,
        FileManagerSelection::Copy{services_.clipboardCopier, services_.hotKeys, services_.timers},
        services_.fileManagerWindows);
    HotKeyManager::setUpShared({
        &services_.hotKeys,
        &services_.trust,
        &services_.pasteboard,
        services_.loadSettings,
        [this](HotKeyManager::PathsHandler done) { fileManager_->selectedItems(std::move(done)); },
        [this](HotKeyManager::FolderHandler done) { fileManager_->frontWindowFolder(std::move(done)); },
        [](const std::string& message, const std::string& symbol) {
            ToastPresenter::shared().show(message, symbol);
        },
        [](const std::filesystem::path& directory) { NewFileWindowController::shared().show(directory); },
        [] { SelectionMonitor::shared().triggerManually(); },
    });
    HotKeyManager::shared().reload();

    // The composition root set the shared monitor up with its platform services.
    SelectionTriggerArming::arm(SelectionMonitor::shared(), services_.loadSettings(), services_.trust);

    startSync();
    startUpdateCheck();
    OnboardingWindowController::setUpShared({&services_.userDefaults, &services_.extensionStatus,
                                             services_.enableFinderExtension, &services_.trust});
    OnboardingWindowController::showIfNeeded();
}

void AppDelegate::startSync() {
    ICloudSync::setUpShared({&services_.userDefaults, &services_.timers, &services_.folderWatcher,
                             secondsSince1970, showToast, std::nullopt, std::nullopt, nullptr});
    ICloudSync::shared().start();
    // A change made in the last two seconds before quitting is still written to the cloud folder.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { ICloudSync::shared().pushPendingChange(); });
}

void AppDelegate::startUpdateCheck() {
    updateFetcher_ = std::make_unique<LoadedUpdateFetcher>(LoadedUpdateFetcher::defaultModulePath());
    UpdateChecker::setUpShared({
        &services_.userDefaults,
        secondsSince1970,
        [fetcher = updateFetcher_.get()](auto done) { fetcher->fetch(std::move(done)); },
        showToast,
        services_.openURL,
        // The daily check waits until the program has settled after start-up: the network library
        // loads with its first request.
        [](std::function<void()> work) {
            QTimer::singleShot(updateCheckDelayMs, QCoreApplication::instance(), std::move(work));
        },
    });
    UpdateChecker::shared().checkAutomatically();
}

void AppDelegate::performService(const platform::ServiceRequest& request) {
    if (servicesProvider_)
        servicesProvider_->perform(request.entry, request.paths);
}

bool AppDelegate::applicationShouldHandleReopen() {
    if (!menuBarItem_ || menuBarItem_->isHidden())
        SettingsWindowController::shared().show();
    return true;
}

} // namespace ondravell
