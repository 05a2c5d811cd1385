#include "platform/x11/X11ClipboardOwnerProbe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace ondravell::platform {

X11ClipboardOwnerProbe::X11ClipboardOwnerProbe(int timeoutMs) : timeoutMs_(timeoutMs) {
    timeout_.setSingleShot(true);
    QObject::connect(&timeout_, &QTimer::timeout, [this] { answer(false); });
}

X11ClipboardOwnerProbe::~X11ClipboardOwnerProbe() {
    handler_ = nullptr;
}

bool X11ClipboardOwnerProbe::connect() {
    if (connection_.display())
        return true;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    clipboard_ = XInternAtom(display, "CLIPBOARD", False);
    targets_ = XInternAtom(display, "TARGETS", False);
    property_ = XInternAtom(display, "ONDRAVELL_PROBE", False);
    windowManagerCheck_ = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    window_ = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    connection_.watch(display, [this] { readEvents(); });
    // Xlib keeps the mask to itself; a short connection of XCB's reads it from the server's greeting,
    // which holds the same mask for every client.
    if (xcb_connection_t* greeting = xcb_connect(nullptr, nullptr)) {
        if (!xcb_connection_has_error(greeting))
            clientBits_ = ~static_cast<unsigned long>(xcb_get_setup(greeting)->resource_id_mask);
        xcb_disconnect(greeting);
    }
    return true;
}

std::optional<unsigned long> X11ClipboardOwnerProbe::clientOf(unsigned long window) const {
    // The root window is the server's own, PointerRoot (1) is no window at all.
    if (window == None || window == PointerRoot || clientBits_ == 0 ||
        window == DefaultRootWindow(connection_.display()))
        return std::nullopt;
    return window & clientBits_;
}

std::optional<unsigned long> X11ClipboardOwnerProbe::focusedClient() {
    if (!connect())
        return std::nullopt;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(connection_.display(), &focus, &revert);
    connection_.readQueuedLater();
    return clientOf(focus);
}

std::optional<unsigned long> X11ClipboardOwnerProbe::clipboardOwnerClient() {
    if (!connect())
        return std::nullopt;
    const Window owner = XGetSelectionOwner(connection_.display(), clipboard_);
    connection_.readQueuedLater();
    return clientOf(owner);
}

std::optional<unsigned long> X11ClipboardOwnerProbe::windowManagerClient() {
    if (!connect())
        return std::nullopt;
    Display* display = connection_.display();
    auto checkWindowOn = [this, display](Window window) -> std::optional<Window> {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, left = 0;
        unsigned char* data = nullptr;
        const int status = XGetWindowProperty(display, window, windowManagerCheck_, 0, 1, False, XA_WINDOW,
                                              &type, &format, &count, &left, &data);
        std::optional<Window> named;
        if (status == Success && type == XA_WINDOW && format == 32 && count == 1 && data)
            named = *reinterpret_cast<Window*>(data);
        if (data)
            XFree(data);
        return named;
    };
    // A window named but gone only yields an error, which the default handler would turn into an exit.
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    std::optional<unsigned long> client;
    const std::optional<Window> named = checkWindowOn(DefaultRootWindow(display));
    if (named && checkWindowOn(*named) == named)
        client = clientOf(*named);
    XSync(display, False);
    XSetErrorHandler(previous);
    connection_.readQueuedLater();
    return client;
}

void X11ClipboardOwnerProbe::probe(std::function<void(bool)> handler) {
    if (handler_)
        answer(false);
    if (!connect()) {
        handler(true); // no display, no owner to wait for
        return;
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
