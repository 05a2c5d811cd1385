#include "platform/x11/X11PointerPosition.h"

#include <X11/Xlib.h>

namespace ondravell::platform {

X11PointerPosition::~X11PointerPosition() {
    if (display_)
        XCloseDisplay(display_);
}

void X11PointerPosition::locate(std::function<void(std::optional<Point>)> done) {
    if (!display_ && !(display_ = XOpenDisplay(nullptr))) {
        done(std::nullopt);
        return;
    }
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &windowX,
                       &windowY, &mask)) {
        done(std::nullopt);
        return;
    }
    done(Point{double(rootX), double(rootY)});
}

} // namespace ondravell::platform
