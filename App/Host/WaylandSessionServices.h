#pragma once

#include "App/Host/SessionServices.h"
#include "App/Host/WaylandClipboardApplications.h"
#include "platform/atspi/AccessibleFrontmostApplication.h"
#include "platform/glib/ShellFollowingHotKeys.h"
#include "platform/glib/ShellFrontmostApplication.h"
#include "platform/glib/ShellGlobalMouseMonitors.h"
#include "platform/glib/ShellKeySynthesizer.h"
#include "platform/glib/ShellPointerPosition.h"
#include "platform/glib/WaylandSessionTrust.h"
#include "platform/x11/X11FrontmostApplication.h"
#include "platform/x11/X11PointerPosition.h"

#include <cstdint>
#include <optional>

namespace ondravell {

// A GNOME Wayland session's services. The program runs on the compositor's X server, which sees input,
// windows and keys of X11 windows only: for Wayland windows the program's Shell extension tells of
// presses, scrolls, the pointer and the focused window, grabs the hot keys and presses keys, each
// standing in for the X server's while the extension does not answer. Without the extension the
// accessibility bus names the focused application and the desktop's custom shortcuts carry the hot keys.
// Whether the extension runs is followed for the whole run: switched on or off, it takes these
// services over or hands them back without a restart.
class WaylandSessionServices final : public SessionServices {
public:
    // The keysym name of a Carbon key code in the current layout ("c"); nullopt for a key it lacks.
    using KeyName = std::function<std::optional<std::string>(std::uint32_t carbonKeyCode)>;

    WaylandSessionServices(const std::string& accessibilityHelper, KeyName keyName);

    platform::AccessibilityTrust& trust() override { return trust_; }
    platform::GlobalMouseMonitors& mouseMonitors() override { return mouseMonitors_; }
    platform::KeySynthesizer& keys() override { return keys_; }
    platform::FrontmostApplication& frontmost() override { return frontmost_; }
    platform::GlobalHotKeys& hotKeys() override { return hotKeys_; }

    void describeSelection(SelectionMonitor::Services& selection) override;
    void hideBarWhenTextLeaves(std::function<void()> hide) override;
    platform::FocusedText* replacementText() override { return &focusedText_; }
    std::function<bool()> keysReachFocusedWindow() override;
    platform::QtClipboardCopier::Applications clipboardApplications() override;

private:
    // Whether an X11 window has the keyboard: the X server sees its input and its keys.
    bool x11WindowFocused();

    platform::WaylandSessionTrust trust_;
    platform::ShellGlobalMouseMonitors mouseMonitors_;
    platform::ShellKeySynthesizer keys_;
    // Under XWayland the active-window property may still name an X11 window after a Wayland one took
    // the keyboard.
    platform::X11FrontmostApplication x11Frontmost_{true};
    platform::AccessibleFrontmostApplication accessibleFrontmost_;
    platform::ShellFrontmostApplication frontmost_;
    platform::X11PointerPosition x11Pointer_;
    platform::ShellPointerPosition shellPointer_;
    platform::ShellFollowingHotKeys hotKeys_;
    WaylandClipboardApplications clipboardApplications_;
};

} // namespace ondravell
