// Giving the keyboard back to another program's window, with this test in the window manager's place.
#include "platform/x11/X11WindowFocus.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>
#include <thread>
// After GoogleTest: Xlib defines macros (None, Bool) that its headers use as names.
#include <X11/Xlib.h>

using ondravell::platform::X11WindowFocus;

namespace {

// The first _NET_ACTIVE_WINDOW request that reaches the root window within a few seconds.
std::optional<Window> activationRequest(Display* display) {
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage && event.xclient.message_type == active)
                return event.xclient.window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

} // namespace

TEST(X11WindowFocus, ActivatesTheManagedWindowNotTheFrameAroundItAndFocusesTheWindowItself) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window root = DefaultRootWindow(display);
    // A reparenting window manager's frame, the application's managed window inside it, and the
    // application's own focus window inside that.
    const Window frame = XCreateSimpleWindow(display, root, 10, 10, 200, 100, 0, 0, 0);
    const Window client = XCreateSimpleWindow(display, frame, 0, 20, 200, 80, 0, 0, 0);
    const Window inner = XCreateSimpleWindow(display, client, 0, 0, 10, 10, 0, 0, 0);
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    const long normalState[2] = {1, 0};
    XChangeProperty(display, client, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(normalState), 2);
    XMapWindow(display, inner);
    XMapWindow(display, client);
    XMapWindow(display, frame);
    XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display, False);

    X11WindowFocus focus;
    focus.focus(inner);

    EXPECT_EQ(activationRequest(display), std::optional<Window>(client));
    EXPECT_EQ(focus.focused(), std::optional<X11WindowFocus::Window>(inner));
    XDestroyWindow(display, frame);
    XCloseDisplay(display);
}
