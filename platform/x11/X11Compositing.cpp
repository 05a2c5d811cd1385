#include "platform/x11/X11Compositing.h"

#include <X11/Xlib.h>
#include <string>

namespace ondravell::platform {

bool X11Compositing::isActive() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    // A compositing manager owns the selection _NET_WM_CM_S<screen> for the screen it manages.
    std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    Atom selection = XInternAtom(display, name.c_str(), False);
    bool active = XGetSelectionOwner(display, selection) != None;
    XCloseDisplay(display);
    return active;
}

} // namespace ondravell::platform
