// The frontmost application as _NET_ACTIVE_WINDOW names it, with this test in the window manager's place.
#include "platform/x11/X11FrontmostApplication.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
// After GoogleTest: Xlib defines macros (None, Bool) that its headers use as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using ondravell::platform::X11FrontmostApplication;

TEST(X11FrontmostApplication, NamesTheActiveWindowsApplicationAndProcessOnlyWhileThatWindowIsShown) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
    char name[] = "panel", className[] = "ondravell";
    XClassHint hint{name, className};
    XSetClassHint(display, window, &hint);
    const long pid = 4242;
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    XChangeProperty(display, DefaultRootWindow(display), active, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&window), 1);
    XSync(display, False);

    X11FrontmostApplication frontmost;
    // Named active but hidden, as our own panel is right after a replace.
    EXPECT_EQ(frontmost.bundleIdentifier(), std::nullopt);
    EXPECT_EQ(frontmost.processId(), std::nullopt);
    XMapWindow(display, window);
    XSync(display, False);
    EXPECT_EQ(frontmost.bundleIdentifier(), std::optional<std::string>("ondravell"));
    EXPECT_EQ(frontmost.processId(), std::optional<std::int64_t>(4242));

    XDeleteProperty(display, DefaultRootWindow(display), active);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}
