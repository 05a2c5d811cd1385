#pragma once

#include "platform/FrontmostApplication.h"

typedef struct _XDisplay Display;

namespace ondravell::platform {

// The window manager's _NET_ACTIVE_WINDOW on $DISPLAY, named by its _GTK_APPLICATION_ID, else its
// _KDE_NET_WM_DESKTOP_FILE, else the class part of its WM_CLASS. The connection opens at the first
// question and stays.
class X11FrontmostApplication final : public FrontmostApplication {
public:
    X11FrontmostApplication() = default;
    // `onlyWithKeyboard`: the active window counts only while the keyboard is in it. Under XWayland the
    // property may still name an X11 window after a Wayland window took the focus.
    explicit X11FrontmostApplication(bool onlyWithKeyboard) : onlyWithKeyboard_(onlyWithKeyboard) {}
    ~X11FrontmostApplication() override;
    X11FrontmostApplication(const X11FrontmostApplication&) = delete;
    X11FrontmostApplication& operator=(const X11FrontmostApplication&) = delete;

    std::optional<std::string> bundleIdentifier() override;
    std::optional<std::string> windowObjectPath() override;
    // The active window's _NET_WM_PID.
    std::optional<std::int64_t> processId() override;

private:
    // What `read` finds on the active window; nullopt without one or when it finds nothing.
    template <typename Value>
    std::optional<Value> readActiveWindow(std::optional<Value> (*read)(Display*, unsigned long window));

    Display* display_ = nullptr;
    bool onlyWithKeyboard_ = false;
};

} // namespace ondravell::platform
