#include "App/Host/SessionServices.h"

#include "App/Host/DevicePixels.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace ondravell {

namespace {

platform::X11GlobalMouseMonitors::Options mouseMonitorOptions() {
    return {
        QGuiApplication::styleHints()->mouseDoubleClickInterval(),
        QGuiApplication::styleHints()->mouseDoubleClickDistance(),
        [](double x, double y) {
            qreal ratio = DevicePixels::ratio();
            return QGuiApplication::topLevelAt(QPoint(int(x / ratio), int(y / ratio))) != nullptr;
        },
    };
}

} // namespace

SessionServices::SessionServices(const std::string& accessibilityHelper)
    : x11MouseMonitors_(mouseMonitorOptions()), focusedText_(accessibilityHelper) {}

platform::QtClipboardCopier::Applications SessionServices::clipboardApplications() {
    return {
        [this]() -> std::optional<std::uint64_t> { return clipboardProbe_.focusedClient(); },
        [this]() -> std::optional<std::uint64_t> { return clipboardProbe_.clipboardOwnerClient(); },
    };
}

} // namespace ondravell
