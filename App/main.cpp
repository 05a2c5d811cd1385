// The tray application: composition root. Picks the platform implementations and runs the launch
// sequence on Qt's event loop (GLib's main context, where the session-bus callbacks arrive too).
#include "App/Host/AppDelegate.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/glib/DBusNotificationCenter.h"
#include "platform/glib/DBusSingleInstance.h"
#include "platform/glib/GSettingsFinderHiddenFiles.h"
#include "platform/qt/QSettingsUserDefaults.h"
#include "platform/x11/X11AccessibilityTrust.h"
#include "platform/x11/X11GlobalMouseMonitors.h"

#include <QApplication>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>

using namespace ondravell;

int main(int argc, char** argv) {
    // A second launch only asks the running instance to reopen: it needs no display and ends at once.
    platform::DBusSingleInstance instance;
    AppDelegate* delegate = nullptr;
    auto claim = instance.claim([&delegate] {
        if (delegate)
            delegate->applicationShouldHandleReopen();
    });
    if (claim == platform::SingleInstance::Claim::secondary)
        return 0;

    // Global input, synthesised keys, the tray and click-through panels are X11 services here; in a
    // Wayland session the program runs on its X server too (Wayland only without one), unless the user
    // chose otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ondravell"));
    QApplication::setDesktopFileName(QStringLiteral("ondravell"));
    // No main window: the application lives in the tray until its quit item.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::DBusNotificationCenter center;
    platform::QSettingsUserDefaults userDefaults;
    platform::X11AccessibilityTrust trust;
    platform::GSettingsFinderHiddenFiles hiddenFiles;
    platform::X11GlobalMouseMonitors mouseMonitors({
        QGuiApplication::styleHints()->mouseDoubleClickInterval(),
        QGuiApplication::styleHints()->mouseDoubleClickDistance(),
        [](double x, double y) {
            // The server speaks in device pixels, Qt in logical ones.
            QScreen* screen = QGuiApplication::primaryScreen();
            qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
            return QGuiApplication::topLevelAt(QPoint(int(x / ratio), int(y / ratio))) != nullptr;
        },
    });

    AppDelegate appDelegate({center, userDefaults, trust, hiddenFiles, mouseMonitors,
                             [] { return SettingsService().load(); }, [] { QApplication::quit(); }});
    delegate = &appDelegate;
    appDelegate.applicationDidFinishLaunching();
    int status = QApplication::exec();
    delegate = nullptr;
    return status;
}
