#include "platform/x11/X11ClipboardOwnerProbe.h"

#include <X11/Xlib.h>

namespace ondravell::platform {

X11ClipboardOwnerProbe::X11ClipboardOwnerProbe(int timeoutMs) : timeoutMs_(timeoutMs) {
    timeout_.setSingleShot(true);
    QObject::connect(&timeout_, &QTimer::timeout, [this] { answer(false); });
}

X11ClipboardOwnerProbe::~X11ClipboardOwnerProbe() {
    handler_ = nullptr;
}

void X11ClipboardOwnerProbe::probe(std::function<void(bool)> handler) {
    if (handler_)
        answer(false);
    if (!connection_.display()) {
        Display* display = XOpenDisplay(nullptr);
        if (!display) {
            handler(true); // no display, no owner to wait for
            return;
        }
        clipboard_ = XInternAtom(display, "CLIPBOARD", False);
        targets_ = XInternAtom(display, "TARGETS", False);
        property_ = XInternAtom(display, "ONDRAVELL_PROBE", False);
        window_ = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
        connection_.watch(display, [this] { readEvents(); });
    }
    Display* display = connection_.display();
    if (XGetSelectionOwner(display, clipboard_) == None) {
        handler(true);
        return;
    }
    handler_ = std::move(handler);
    XConvertSelection(display, clipboard_, targets_, property_, window_, CurrentTime);
    XFlush(display);
    timeout_.start(timeoutMs_);
    connection_.readQueuedLater();
}

void X11ClipboardOwnerProbe::readEvents() {
    Display* display = connection_.display();
    while (display && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionNotify && event.xselection.selection == clipboard_) {
            XDeleteProperty(display, window_, property_);
            answer(true);
        }
    }
}

void X11ClipboardOwnerProbe::answer(bool answers) {
    timeout_.stop();
    if (auto handler = std::move(handler_)) {
        handler_ = nullptr;
        handler(answers);
    }
}

} // namespace ondravell::platform
