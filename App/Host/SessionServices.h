#pragma once

#include "App/Selection/SelectionMonitor.h"
#include "platform/AccessibilityTrust.h"
#include "platform/FocusedText.h"
#include "platform/FrontmostApplication.h"
#include "platform/GlobalHotKeys.h"
#include "platform/GlobalMouseMonitors.h"
#include "platform/KeySynthesizer.h"
#include "platform/atspi/AtspiFocusedText.h"
#include "platform/qt/QtClipboardCopier.h"
#include "platform/x11/X11AccessibilityTrust.h"
#include "platform/x11/X11ClipboardOwnerProbe.h"
#include "platform/x11/X11GlobalMouseMonitors.h"
#include "platform/x11/X11KeySynthesizer.h"

#include <functional>
#include <string>

namespace ondravell {

// The platform services that depend on the kind of desktop session: global input, synthesised keys,
// the focused application, the hot keys and how the selection toolbar finds its text and its place.
// One type builds and owns them for each kind of session (X11SessionServices, WaylandSessionServices);
// the application's services take them from here and never ask which session it is.
//
// The program runs on an X server in either session (in a Wayland one, on the compositor's), so the X
// server's services and the accessibility bus's focused text are built here for both.
class SessionServices {
public:
    // `accessibilityHelper` is the program that speaks to the accessibility bus for us.
    explicit SessionServices(const std::string& accessibilityHelper);
    virtual ~SessionServices() = default;
    SessionServices(const SessionServices&) = delete;
    SessionServices& operator=(const SessionServices&) = delete;

    virtual platform::AccessibilityTrust& trust() = 0;
    virtual platform::GlobalMouseMonitors& mouseMonitors() = 0;
    virtual platform::KeySynthesizer& keys() = 0;
    virtual platform::FrontmostApplication& frontmost() = 0;
    virtual platform::GlobalHotKeys& hotKeys() = 0;
    // The accessibility bus names the focused object of every session: no selection is read from a
    // password field. It is asked by a helper process: libatspi never runs here.
    platform::AtspiFocusedText& focusedText() { return focusedText_; }
    // Whether the clipboard's owner answers, and which X clients hold the clipboard and the keyboard.
    platform::X11ClipboardOwnerProbe& clipboardProbe() { return clipboardProbe_; }

    // Fills in how the selection monitor reads the selection and places the bar in this session, beyond
    // the services above.
    virtual void describeSelection(SelectionMonitor::Services& selection) { (void)selection; }
    // Hides the bar (with `hide`) on what tells, in this session, that its text is no longer in front,
    // beyond the clicks the global mouse monitors see.
    virtual void hideBarWhenTextLeaves(std::function<void()> hide) { (void)hide; }
    // Where the toolbar's actions replace the selection in another application's text, rather than by
    // synthesised keys; none where the keys reach every window.
    virtual platform::FocusedText* replacementText() { return nullptr; }
    // Whether synthesised keys reach the window that has the keyboard now; unset where they always do.
    virtual std::function<bool()> keysReachFocusedWindow() { return nullptr; }
    // Which application a change of the clipboard came from, as this session can tell it, so that a
    // copy the focused application makes too late is undone. The X server names both applications
    // where it sees every window.
    virtual platform::QtClipboardCopier::Applications clipboardApplications();

protected:
    platform::X11AccessibilityTrust x11Trust_;
    platform::X11GlobalMouseMonitors x11MouseMonitors_;
    platform::X11KeySynthesizer x11Keys_;
    platform::AtspiFocusedText focusedText_;
    platform::X11ClipboardOwnerProbe clipboardProbe_;
};

} // namespace ondravell
