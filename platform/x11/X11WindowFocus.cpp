#include "platform/x11/X11WindowFocus.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace ondravell::platform {

namespace {

int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

bool hasWMState(Display* display, ::Window window) {
    const Atom wmState = XInternAtom(display, "WM_STATE", True);
    if (wmState == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, window, wmState, 0, 0, False, AnyPropertyType, &type,
                                          &format, &count, &after, &data) == Success &&
                       type != None;
    if (data)
        XFree(data);
    return found;
}

// The application's top-level window that holds `window`: the nearest ancestor the window manager
// manages (it carries WM_STATE), which is what _NET_ACTIVE_WINDOW names. A reparenting window manager
// puts a frame of its own around it, and a request naming the frame is ignored. Without a window
// manager, the last ancestor below the root.
::Window clientWindowOf(Display* display, ::Window window) {
    ::Window current = window;
    for (int depth = 0; depth < 64; ++depth) {
        if (hasWMState(display, current))
            return current;
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, current, &root, &parent, &children, &count))
            return current;
        if (children)
            XFree(children);
        if (parent == root || parent == 0)
            return current;
        current = parent;
    }
    return current;
}

} // namespace

X11WindowFocus::~X11WindowFocus() {
    if (display_)
        XCloseDisplay(display_);
}

bool X11WindowFocus::connect() {
    if (!display_)
        display_ = XOpenDisplay(nullptr);
    return display_ != nullptr;
}

std::optional<WindowFocus::Window> X11WindowFocus::focused() {
    if (!connect())
        return std::nullopt;
    ::Window window = 0;
    int revert = 0;
    XGetInputFocus(display_, &window, &revert);
    if (window == None || window == PointerRoot)
        return std::nullopt;
    return Window(window);
}

void X11WindowFocus::focus(Window window) {
    if (!connect())
        return;
    // The window may have gone meanwhile: its errors are dropped rather than ending the program.
    XErrorHandler previous = XSetErrorHandler(ignoreError);
    const ::Window target = ::Window(window);
    const ::Window root = DefaultRootWindow(display_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = clientWindowOf(display_, target);
    event.xclient.message_type = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // a request from a pager-like tool, which window managers honour
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSetInputFocus(display_, target, RevertToParent, CurrentTime);
    XSync(display_, False);
    XSetErrorHandler(previous);
}

} // namespace ondravell::platform
