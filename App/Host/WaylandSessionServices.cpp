#include "App/Host/WaylandSessionServices.h"

#include "App/Host/DevicePixels.h"
#include "App/Selection/SelectionBarAnchor.h"
#include "App/Selection/SelectionBarController.h"
#include "platform/glib/DBusSingleInstance.h"
#include "platform/glib/GnomeCustomKeybindings.h"
#include "platform/x11/X11GlobalHotKeys.h"

namespace ondravell {

namespace {

// Without the extension the X server's key grabs see presses only while one of its own windows has
// the keyboard: the desktop's own shortcuts carry the hot keys where it has them.
std::unique_ptr<platform::GlobalHotKeys>
hotKeysWithoutExtension(const WaylandSessionServices::KeyName& keyName) {
    if (platform::GnomeCustomKeybindings::isAvailable())
        return std::make_unique<platform::GnomeCustomKeybindings>(platform::DBusSingleInstance::busName,
                                                                  keyName);
    return std::make_unique<platform::X11GlobalHotKeys>();
}

} // namespace

WaylandSessionServices::WaylandSessionServices(const std::string& accessibilityHelper, KeyName keyName)
    : SessionServices(accessibilityHelper),
      trust_(x11Trust_),
      mouseMonitors_(x11MouseMonitors_),
      keys_(x11Keys_),
      accessibleFrontmost_(x11Frontmost_, focusedText_),
      frontmost_(accessibleFrontmost_),
      hotKeys_(frontmost_, platform::DBusSingleInstance::busName, keyName,
               [keyName] { return hotKeysWithoutExtension(keyName); }),
      // Over a Wayland window the copy's keys go through the extension, which tells every change of focus.
      clipboardApplications_({[this] { return x11WindowFocused(); },
                              [this] { return frontmost_.focusSerial(); },
                              [this] { return clipboardProbe_.focusedClient(); },
                              [this] { return clipboardProbe_.clipboardOwnerClient(); },
                              [this] { return clipboardProbe_.windowManagerClient(); }}) {
    // The settings show which services are missing from what the extension told of itself.
    trust_.setExtensionTold([this] { return frontmost_.extensionRuns(); });
    keys_.setShellKeysHeld([this] { return hotKeys_.keysHeld(); });
}

bool WaylandSessionServices::x11WindowFocused() {
    return x11Frontmost_.bundleIdentifier().has_value();
}

std::function<bool()> WaylandSessionServices::keysReachFocusedWindow() {
    return [this] { return x11WindowFocused(); };
}

platform::QtClipboardCopier::Applications WaylandSessionServices::clipboardApplications() {
    return {[this] { return clipboardApplications_.focused(); },
            [this] { return clipboardApplications_.owner(); }};
}

void WaylandSessionServices::describeSelection(SelectionMonitor::Services& selection) {
    selection.followSelectionChanges = true;
    selection.mouseSeesFocusedWindow = [this] { return x11WindowFocused(); };
    // Over Wayland windows only the Shell extension knows the pointer; without it the bar stands at the
    // fixed spot.
    selection.locateBar = [this](auto done) {
        SelectionBarAnchor::locate(
            {[this] { return x11WindowFocused(); }, &focusedText_, &shellPointer_, &x11Pointer_,
             [] {
                 QPointF spot = SelectionBarController::fixedSpot().value_or(QPointF());
                 qreal ratio = DevicePixels::ratio();
                 return SelectionMonitor::Point{spot.x() * ratio, spot.y() * ratio};
             }},
            std::move(done));
    };
}

void WaylandSessionServices::hideBarWhenTextLeaves(std::function<void()> hide) {
    // Over a Wayland window no click is seen when it closes or is switched away from: the bar goes when
    // the window loses the keyboard, as the Shell extension tells, and, with or without it, when the
    // accessibility bus tells that the text it came from lost the focus or its selection.
    frontmost_.setFocusChangeHandler(hide);
    focusedText_.setSelectionLostHandler(std::move(hide));
}

} // namespace ondravell
