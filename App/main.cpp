// The tray application: composition root. Picks the platform implementations and runs the launch
// sequence on Qt's event loop (GLib's main context, where the session-bus callbacks arrive too).
#include "App/Host/AppDelegate.h"
#include "App/Host/DesktopStyle.h"
#include "App/Host/DevicePixels.h"
#include "App/Host/QtTranslations.h"
#include "App/Host/QuitSignals.h"
#include "App/Host/SelectionTriggerArming.h"
#include "App/Host/WaylandSessionServices.h"
#include "App/Host/X11SessionServices.h"
#include "App/HotKeys/HotKeyManager.h"
#include "App/MainWindow/SettingsPages.h"
#include "App/MainWindow/SettingsWindowController.h"
#include "App/NewFile/NewFileWindowController.h"
#include "App/Onboarding/FinderExtensionInstaller.h"
#include "App/Onboarding/OnboardingWindowController.h"
#include "App/Selection/SelectionActionRunner.h"
#include "App/Selection/SelectionBarController.h"
#include "App/Selection/SelectionMonitor.h"
#include "App/Selection/SelectionResultWindow.h"
#include "App/Services/ServiceLaunch.h"
#include "App/Toast/ToastPresenter.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/glib/DBusFileManagerSelections.h"
#include "platform/glib/DBusFileManagerWindows.h"
#include "platform/glib/DBusNotificationCenter.h"
#include "platform/glib/DBusSingleInstance.h"
#include "platform/glib/GSettingsFinderHiddenFiles.h"
#include "platform/glib/GioAppLauncher.h"
#include "platform/glib/GioContentTypeReader.h"
#include "platform/glib/GioDesktopOpener.h"
#include "platform/glib/GioInstalledApplications.h"
#include "platform/glib/GioSystemSettingsOpener.h"
#include "platform/glib/GioTrash.h"
#include "platform/qt/QSettingsUserDefaults.h"
#include "platform/qt/QtClipboardCopier.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtFolderWatcher.h"
#include "platform/qt/QtImageSizeReader.h"
#include "platform/qt/QtOneShotTimers.h"
#include "platform/qt/QtPasteboard.h"
#include "platform/qt/QtPasteboardImageReader.h"
#include "platform/qt/QtTaskQueue.h"
#include "platform/qt/TranslateShellTranslator.h"
#include "platform/x11/X11Compositing.h"
#include "platform/x11/X11PrimarySelection.h"
#include "platform/x11/X11WindowFocus.h"
#include "platform/x11/XkbKeyboardLayout.h"
#include "platform/xdg/InstalledNautilusExtension.h"
#include "platform/xdg/XdgAutostartLoginItem.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QTimer>

using namespace ondravell;

namespace {
// Long enough after start-up that the tray icon and the first windows are up: work done ahead for
// later windows waits this long.
constexpr int settledDelayMs = 3000;

// The installed module and installer, or the build's own when the program runs from the build folder.
FinderExtensionInstaller::Paths extensionInstallerPaths(const QString& extensionFolder) {
    auto pick = [](const char* installed, const char* built) {
        return QString::fromUtf8(QFileInfo::exists(QString::fromUtf8(installed)) ? installed : built);
    };
    return {pick(ONDRAVELL_INSTALLED_INSTALLER, ONDRAVELL_SOURCE_INSTALLER),
            pick(ONDRAVELL_INSTALLED_MODULE, ONDRAVELL_BUILD_MODULE), extensionFolder};
}

// The accessibility helper installed, or the build's own when the program runs from the build folder.
std::string accessibilityHelper() {
    return QFileInfo::exists(QStringLiteral(ONDRAVELL_INSTALLED_ACCESSIBILITY_HELPER))
               ? ONDRAVELL_INSTALLED_ACCESSIBILITY_HELPER
               : ONDRAVELL_BUILD_ACCESSIBILITY_HELPER;
}

} // namespace

int main(int argc, char** argv) {
    // A second launch only asks the running instance to reopen, or to carry out the file-manager
    // script's action it was started for: it needs no display and ends at once.
    std::error_code noFolder;
    std::optional<platform::ServiceRequest> service = ServiceLaunch::parse(
        std::vector<std::string>(argv, argv + argc), std::filesystem::current_path(noFolder));
    ServiceLaunch::leaveWorkingFolder();
    platform::DBusSingleInstance instance;
    if (service ? instance.forwardToRunningInstance(*service) : instance.reopenRunningInstance())
        return 0;

    // Global input, synthesised keys, the tray and click-through panels are X11 services here; in a
    // Wayland session the program runs on its X server too (Wayland only without one), unless the user
    // chose otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    // A script's arguments are file names, which Qt must not take for its own options ("-style").
    int qtArgc = service ? 1 : argc;
    QApplication app(qtArgc, argv);
    // The tray item's title is the application's name, so it carries the capital. The display name
    // stays unset: Qt would append it to every window title. The settings file's place is fixed
    // elsewhere, and the desktop entry keeps its lowercase id.
    QApplication::setApplicationName(QStringLiteral("Ondravell"));
    QApplication::setDesktopFileName(QStringLiteral("ondravell"));
    // No main window: the application lives in the tray until its quit item.
    QApplication::setQuitOnLastWindowClosed(false);
    // A session end's SIGTERM quits as the tray's quit item does.
    QuitSignals quitSignals;
    // Before any window, so that Qt's own dialogs and menus come up in Chinese.
    QtTranslations qtTranslations;
    DesktopStyle::follow();

    platform::DBusNotificationCenter center;
    platform::QSettingsUserDefaults userDefaults;
    platform::GSettingsFinderHiddenFiles hiddenFiles;
    platform::XkbKeyboardLayout keyboardLayout;

    // The session's services: global input, synthesised keys, the focused application and the hot keys,
    // as an X11 or a Wayland session gives them.
    std::unique_ptr<SessionServices> session;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        session = std::make_unique<WaylandSessionServices>(
            accessibilityHelper(),
            [&keyboardLayout](std::uint32_t keyCode) { return keyboardLayout.keysymName(keyCode); });
    else
        session = std::make_unique<X11SessionServices>(accessibilityHelper());
    platform::AccessibilityTrust& trust = session->trust();
    platform::GlobalMouseMonitors& mouseMonitors = session->mouseMonitors();
    platform::KeySynthesizer& keys = session->keys();
    platform::FrontmostApplication& frontmost = session->frontmost();
    // The helper asks only the application of the window with the keyboard what has the focus.
    session->focusedText().setFocusedWindowProcess([&frontmost] { return frontmost.processId(); });

    // The application's services.
    platform::QtClipboardCopier clipboardCopier(keys);
    clipboardCopier.setOwnerCheck(
        [&probe = session->clipboardProbe()](auto answered) { probe.probe(std::move(answered)); });
    clipboardCopier.setApplications(session->clipboardApplications());
    platform::X11PrimarySelection primarySelection;
    platform::QtOneShotTimers timers;
    SelectionMonitor::Services selection;
    selection.monitors = &mouseMonitors;
    selection.trust = &trust;
    selection.loadSettings = [] { return SettingsService().load(); };
    selection.primary = &primarySelection;
    selection.clipboard = &clipboardCopier;
    selection.frontmost = &frontmost;
    selection.timers = &timers;
    // What our own windows are known by to the frontmost-application lookup: the class part of their
    // WM_CLASS, which Qt takes from the application's name.
    selection.ownAppID = QCoreApplication::applicationName().toStdString();
    selection.pointerLocation = [] {
        qreal ratio = DevicePixels::ratio();
        QPoint at = QCursor::pos();
        return SelectionMonitor::Point{at.x() * ratio, at.y() * ratio};
    };
    selection.focusedText = &session->focusedText();
    session->describeSelection(selection);
    SelectionBarController::setUpShared(
        {&mouseMonitors, [] { return SettingsService().load(); }, platform::X11Compositing::isActive()});
    session->hideBarWhenTextLeaves([] { SelectionBarController::shared().hide(); });
    SelectionMonitor::setUpShared(std::move(selection));
    SelectionMonitor::shared().setBar({
        [](const std::string& text, SelectionMonitor::Point at) {
            qreal ratio = DevicePixels::ratio();
            SelectionBarController::shared().show(text, QPointF(at.x / ratio, at.y / ratio));
        },
        [] { SelectionBarController::shared().hide(); },
    });

    // Nautilus's extension folder; ONDRAVELL_NAUTILUS_EXTENSION_DIR names another (tests).
    const QString extensionFolder = qEnvironmentVariable("ONDRAVELL_NAUTILUS_EXTENSION_DIR",
                                                         QStringLiteral(ONDRAVELL_NAUTILUS_EXTENSION_DIR));
    platform::InstalledNautilusExtension extensionStatus(extensionFolder.toStdString());
    platform::GioSystemSettingsOpener settingsOpener;
    platform::QtPasteboard pasteboard;
    platform::QtPasteboardImageReader pasteboardImage;
    platform::GioDesktopOpener desktopOpener;
    platform::TranslateShellTranslator translator;
    platform::X11WindowFocus windowFocus;
    SelectionResultWindow::setUpShared({&mouseMonitors, platform::X11Compositing::isActive()});
    NewFileWindowController::shared().setTranslucent(platform::X11Compositing::isActive());
    // The toolbar's transforms have workers of their own, so a long file operation never delays them.
    platform::QtTaskQueue selectionWork;
    SelectionActionRunner actionRunner({&pasteboard, &keys, &desktopOpener, &translator, &windowFocus,
                                        [] { return SettingsService().load(); },
                                        [](const std::string& message, const std::string& symbol) {
                                            ToastPresenter::shared().show(message, symbol);
                                        },
                                        &selectionWork, &timers, session->replacementText(),
                                        session->keysReachFocusedWindow()});
    // The first result of a process loads fonts, pictures and styles: done ahead, once the program has
    // settled, whenever the toolbar is on.
    QTimer::singleShot(settledDelayMs, [&actionRunner] {
        if (SettingsService().load().selectionEnabled)
            actionRunner.prepareViews();
    });
    SelectionBarController::shared().setActionHandler(
        [&actionRunner](const std::string& actionID, const std::string& text, QPointF at) {
            SelectionBarController::shared().hide();
            if (std::optional<SelectionAction::Kind> kind = SelectionAction::kindNamed(actionID))
                actionRunner.run(*kind, text, at);
        });
    platform::GioAppLauncher launcher;
    platform::GioContentTypeReader contentTypes;
    platform::QtImageSizeReader imageSizes;
    platform::GioTrash trash;
    platform::QtFolderWatcher folderWatcher;
    // Ends before the services its work uses: it waits for that work.
    platform::QtTaskQueue queue;

    platform::QtFileDialog fileDialog;
    platform::GioInstalledApplications applications;
    platform::DBusFileManagerWindows fileManagerWindows;
    platform::DBusFileManagerSelections fileManagerSelections;
    platform::XdgAutostartLoginItem loginItem(QCoreApplication::applicationFilePath().toStdString());
    SettingsWindowController::shared().setServices(
        {.userDefaults = userDefaults,
         .fileDialog = fileDialog,
         .applications = applications,
         .loginItem = &loginItem,
         .extensionStatus = &extensionStatus,
         .settingsOpener = &settingsOpener,
         .keyboardLayout = &keyboardLayout,
         .reloadHotKeys = [] { HotKeyManager::shared().reload(); },
         .trust = &trust,
         .rearmSelectionTrigger =
             [&trust] {
                 SelectionTriggerArming::arm(SelectionMonitor::shared(), SettingsService().load(), trust);
             }});

    AppDelegate appDelegate({center,
                             userDefaults,
                             trust,
                             hiddenFiles,
                             extensionStatus,
                             settingsOpener,
                             queue,
                             pasteboard,
                             pasteboardImage,
                             launcher,
                             contentTypes,
                             imageSizes,
                             trash,
                             session->hotKeys(),
                             fileDialog,
                             frontmost,
                             fileManagerSelections,
                             clipboardCopier,
                             fileManagerWindows,
                             timers,
                             folderWatcher,
                             [] { return SettingsService().load(); },
                             [] { QApplication::quit(); },
                             [&extensionFolder] {
                                 FinderExtensionInstaller::install(
                                     extensionInstallerPaths(extensionFolder),
                                     OnboardingWindowController::shared().window());
                             },
                             [&desktopOpener](const std::string& url) { desktopOpener.openURI(url); }});
    appDelegate.applicationDidFinishLaunching();
    // A script started the program: serve its request once the event loop runs.
    if (service)
        QTimer::singleShot(0, [&appDelegate, request = *service] { appDelegate.performService(request); });
    QTimer::singleShot(0, [] {
        if (SettingsService().load().selectionEnabled)
            SelectionBarController::shared().prepare();
    });
    // Qt looks fonts up the first time they are used; done while the program idles in the tray, the
    // settings pages open without that wait.
    QTimer::singleShot(settledDelayMs, [] { warmUpSettingsPages(); });
    // The name is what senders and tests wait for, so it is taken only now that every request observer
    // is connected. A launch that lost the race to another one hands over to it.
    auto claim = instance.claim(
        {[&appDelegate] { appDelegate.applicationShouldHandleReopen(); },
         [&appDelegate](platform::ServiceRequest request) { appDelegate.performService(request); }},
        service);
    return claim == platform::SingleInstance::Claim::secondary ? 0 : QApplication::exec();
}
