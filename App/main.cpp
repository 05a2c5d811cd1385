// The tray application: composition root. Picks the platform implementations and runs the launch
// sequence on Qt's event loop (GLib's main context, where the session-bus callbacks arrive too).
#include "App/Host/AppDelegate.h"
#include "App/Host/DesktopStyle.h"
#include "App/Host/QtTranslations.h"
#include "App/Host/QuitSignals.h"
#include "App/Host/SelectionTriggerArming.h"
#include "App/HotKeys/HotKeyManager.h"
#include "App/MainWindow/SettingsPages.h"
#include "App/MainWindow/SettingsWindowController.h"
#include "App/NewFile/NewFileWindowController.h"
#include "App/Onboarding/FinderExtensionInstaller.h"
#include "App/Onboarding/OnboardingWindowController.h"
#include "App/Selection/SelectionActionRunner.h"
#include "App/Selection/SelectionBarAnchor.h"
#include "App/Selection/SelectionBarController.h"
#include "App/Selection/SelectionMonitor.h"
#include "App/Selection/SelectionResultWindow.h"
#include "App/Services/ServiceLaunch.h"
#include "App/Toast/ToastPresenter.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/atspi/AccessibleFrontmostApplication.h"
#include "platform/atspi/AtspiFocusedText.h"
#include "platform/glib/DBusFileManagerSelections.h"
#include "platform/glib/DBusFileManagerWindows.h"
#include "platform/glib/DBusNotificationCenter.h"
#include "platform/glib/DBusSingleInstance.h"
#include "platform/glib/DeferredGlobalHotKeys.h"
#include "platform/glib/GSettingsFinderHiddenFiles.h"
#include "platform/glib/GioAppLauncher.h"
#include "platform/glib/GioContentTypeReader.h"
#include "platform/glib/GioDesktopOpener.h"
#include "platform/glib/GioInstalledApplications.h"
#include "platform/glib/GioSystemSettingsOpener.h"
#include "platform/glib/GioTrash.h"
#include "platform/glib/GnomeCustomKeybindings.h"
#include "platform/glib/ShellExtensionBus.h"
#include "platform/glib/ShellExtensionHotKeys.h"
#include "platform/glib/ShellFrontmostApplication.h"
#include "platform/glib/ShellGlobalMouseMonitors.h"
#include "platform/glib/ShellKeySynthesizer.h"
#include "platform/glib/ShellPointerPosition.h"
#include "platform/glib/WaylandSessionTrust.h"
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
#include "platform/x11/X11AccessibilityTrust.h"
#include "platform/x11/X11ClipboardOwnerProbe.h"
#include "platform/x11/X11Compositing.h"
#include "platform/x11/X11FrontmostApplication.h"
#include "platform/x11/X11GlobalHotKeys.h"
#include "platform/x11/X11GlobalMouseMonitors.h"
#include "platform/x11/X11KeySynthesizer.h"
#include "platform/x11/X11PointerPosition.h"
#include "platform/x11/X11PrimarySelection.h"
#include "platform/x11/X11WindowFocus.h"
#include "platform/x11/XkbKeyboardLayout.h"
#include "platform/xdg/InstalledNautilusExtension.h"
#include "platform/xdg/XdgAutostartLoginItem.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

using namespace ondravell;

namespace {
// Long enough after start-up that the tray icon and the first windows are up: work done ahead for
// later windows waits this long.
constexpr int settledDelayMs = 3000;

// The X server speaks in device pixels, Qt in logical ones.
qreal devicePixelRatio() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

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
    platform::X11AccessibilityTrust x11Trust;
    // A Wayland session's services come partly from the Shell extension: trust says which are missing.
    platform::WaylandSessionTrust waylandTrust(x11Trust);
    platform::AccessibilityTrust& trust = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
                                              ? static_cast<platform::AccessibilityTrust&>(waylandTrust)
                                              : x11Trust;
    platform::GSettingsFinderHiddenFiles hiddenFiles;
    platform::X11GlobalMouseMonitors mouseMonitors({
        QGuiApplication::styleHints()->mouseDoubleClickInterval(),
        QGuiApplication::styleHints()->mouseDoubleClickDistance(),
        [](double x, double y) {
            qreal ratio = devicePixelRatio();
            return QGuiApplication::topLevelAt(QPoint(int(x / ratio), int(y / ratio))) != nullptr;
        },
    });

    const bool waylandSession = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    // The X server sees no input over Wayland windows: the Shell extension tells of presses and scrolls
    // there.
    platform::ShellGlobalMouseMonitors shellMouseMonitors(mouseMonitors);
    platform::GlobalMouseMonitors& anyMouseMonitors =
        waylandSession ? static_cast<platform::GlobalMouseMonitors&>(shellMouseMonitors) : mouseMonitors;
    // XTest keys reach X11 windows only; in a Wayland session the Shell extension presses them for every
    // window, XTest standing in while the extension does not answer.
    platform::X11KeySynthesizer x11Keys;
    platform::ShellKeySynthesizer shellKeys(x11Keys);
    platform::KeySynthesizer& keys =
        waylandSession ? static_cast<platform::KeySynthesizer&>(shellKeys) : x11Keys;
    platform::X11ClipboardOwnerProbe clipboardProbe;
    platform::QtClipboardCopier clipboardCopier(keys);
    clipboardCopier.setOwnerCheck(
        [&clipboardProbe](auto answered) { clipboardProbe.probe(std::move(answered)); });
    platform::X11PrimarySelection primarySelection;
    // Under XWayland the active-window property may still name an X11 window after a Wayland one took
    // the keyboard.
    platform::X11FrontmostApplication x11Frontmost(waylandSession);
    // The accessibility bus names the focused object of every session: no selection is read from a
    // password field. It is asked by a helper process: libatspi never runs here.
    platform::AtspiFocusedText focusedText(accessibilityHelper());
    platform::AccessibleFrontmostApplication accessibleFrontmost(x11Frontmost, focusedText);
    // In a Wayland session X clients learn nothing of Wayland windows and their keys: the program's
    // Shell extension, once it told of itself, names the focused window; until then, or without it, the
    // accessibility bus says which application has the focus.
    platform::ShellFrontmostApplication shellFrontmost(accessibleFrontmost);
    waylandTrust.setExtensionTold([&shellFrontmost] { return shellFrontmost.extensionRuns(); });
    platform::FrontmostApplication& frontmost =
        waylandSession ? static_cast<platform::FrontmostApplication&>(shellFrontmost) : x11Frontmost;
    // The helper asks only the application of the window with the keyboard what has the focus.
    focusedText.setFocusedWindowProcess([&frontmost] { return frontmost.processId(); });
    auto x11WindowFocused = [&x11Frontmost] { return x11Frontmost.bundleIdentifier().has_value(); };
    platform::X11PointerPosition x11Pointer;
    // Over Wayland windows only the Shell extension knows the pointer; without it the bar stands at the
    // fixed spot.
    platform::ShellPointerPosition shellPointer;
    platform::QtOneShotTimers timers;
    SelectionMonitor::Services selection;
    selection.monitors = &anyMouseMonitors;
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
        qreal ratio = devicePixelRatio();
        QPoint at = QCursor::pos();
        return SelectionMonitor::Point{at.x() * ratio, at.y() * ratio};
    };
    selection.focusedText = &focusedText;
    if (waylandSession) {
        selection.followSelectionChanges = true;
        selection.mouseSeesFocusedWindow = x11WindowFocused;
        selection.locateBar = [&focusedText, &shellPointer, &x11Pointer, x11WindowFocused](auto done) {
            SelectionBarAnchor::locate(
                {x11WindowFocused, &focusedText, &shellPointer, &x11Pointer,
                 [] {
                     QPointF spot = SelectionBarController::fixedSpot().value_or(QPointF());
                     qreal ratio = devicePixelRatio();
                     return SelectionMonitor::Point{spot.x() * ratio, spot.y() * ratio};
                 }},
                std::move(done));
        };
    }
    SelectionBarController::setUpShared(
        {&anyMouseMonitors, [] { return SettingsService().load(); }, platform::X11Compositing::isActive()});
    // Over a Wayland window no click is seen when it closes or is switched away from: the bar goes when
    // the window loses the keyboard, as the Shell extension tells, and, with or without it, when the
    // accessibility bus tells that the text it came from lost the focus or its selection.
    if (waylandSession) {
        shellFrontmost.setFocusChangeHandler([] { SelectionBarController::shared().hide(); });
        focusedText.setSelectionLostHandler([] { SelectionBarController::shared().hide(); });
    }
    SelectionMonitor::setUpShared(std::move(selection));
    SelectionMonitor::shared().setBar({
        [](const std::string& text, SelectionMonitor::Point at) {
            qreal ratio = devicePixelRatio();
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
    SelectionResultWindow::setUpShared({&anyMouseMonitors, platform::X11Compositing::isActive()});
    NewFileWindowController::shared().setTranslucent(platform::X11Compositing::isActive());
    // The toolbar's transforms have workers of their own, so a long file operation never delays them.
    platform::QtTaskQueue selectionWork;
    SelectionActionRunner actionRunner({&pasteboard, &keys, &desktopOpener, &translator, &windowFocus,
                                        [] { return SettingsService().load(); },
                                        [](const std::string& message, const std::string& symbol) {
                                            ToastPresenter::shared().show(message, symbol);
                                        },
                                        &selectionWork, &timers, waylandSession ? &focusedText : nullptr,
                                        waylandSession ? std::function<bool()>(x11WindowFocused) : nullptr});
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
    platform::XkbKeyboardLayout keyboardLayout;
    // In a Wayland session the X server's key grabs see presses only while one of its own windows has
    // the keyboard: there the Shell extension grabs them, or else the desktop's own shortcuts carry them.
    auto keyName = [&keyboardLayout](std::uint32_t keyCode) { return keyboardLayout.keysymName(keyCode); };
    // Which of them serves is known once the Shell answered, which start-up does not wait for: the hot
    // keys registered meanwhile are handed to the one chosen. Cleared before main's services end, so
    // that an answer coming after the event loop touches nothing.
    std::unique_ptr<platform::GlobalHotKeys> hotKeys;
    auto chooseHotKeys = std::make_shared<std::function<void(bool)>>();
    if (waylandSession) {
        auto deferred = std::make_unique<platform::DeferredGlobalHotKeys>();
        *chooseHotKeys = [deferred = deferred.get(), &shellKeys, keyName](bool extensionAnswers) {
            if (extensionAnswers) {
                auto shellHotKeys = std::make_unique<platform::ShellExtensionHotKeys>(
                    platform::DBusSingleInstance::busName, keyName);
                shellKeys.setShellKeysHeld([held = shellHotKeys.get()] { return held->keysHeld(); });
                deferred->choose(std::move(shellHotKeys));
            } else if (platform::GnomeCustomKeybindings::isAvailable()) {
                deferred->choose(std::make_unique<platform::GnomeCustomKeybindings>(
                    platform::DBusSingleInstance::busName, keyName));
            } else {
                deferred->choose(std::make_unique<platform::X11GlobalHotKeys>());
            }
        };
        hotKeys = std::move(deferred);
        platform::ShellExtensionBus::askWhetherAnswers([chooseHotKeys](bool extensionAnswers) {
            if (*chooseHotKeys)
                (*chooseHotKeys)(extensionAnswers);
        });
    } else {
        hotKeys = std::make_unique<platform::X11GlobalHotKeys>();
    }
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
                             *hotKeys,
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
    const int status = claim == platform::SingleInstance::Claim::secondary ? 0 : QApplication::exec();
    *chooseHotKeys = nullptr;
    return status;
}
