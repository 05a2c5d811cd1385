#include "platform/x11/X11PrimarySelection.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace ondravell::platform {

namespace {

// Server times wrap around after 49.7 days; compare them as a difference.
bool notBefore(PrimarySelection::ServerTime time, PrimarySelection::ServerTime since) {
    return static_cast<std::int32_t>(time - since) >= 0;
}

} // namespace

X11PrimarySelection::X11PrimarySelection() : X11PrimarySelection(Options{}) {}

X11PrimarySelection::X11PrimarySelection(Options options) : options_(options) {
    timeout_.setSingleShot(true);
    QObject::connect(&timeout_, &QTimer::timeout, [this] { answer(std::nullopt); });
}

X11PrimarySelection::~X11PrimarySelection() {
    read_.reset();
    stopWatching();
}

bool X11PrimarySelection::watch() {
    if (display_)
        return true;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    int error = 0, major = 0, minor = 0;
    if (!XFixesQueryExtension(display, &fixesEvent_, &error) ||
        !XFixesQueryVersion(display, &major, &minor)) {
        XCloseDisplay(display);
        return false;
    }
    display_ = display;
    primary_ = XA_PRIMARY;
    utf8_ = XInternAtom(display_, "UTF8_STRING", False);
    incr_ = XInternAtom(display_, "INCR", False);
    property_ = XInternAtom(display_, "ONDRAVELL_SELECTION", False);
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(display_, window_, PropertyChangeMask);
    XFixesSelectSelectionInput(display_, window_, primary_,
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
    XFlush(display_);
    ownerSince_.reset();
    connection_.watch(display_, [this] { readEvents(); });
    return true;
}

void X11PrimarySelection::stopWatching() {
    if (read_)
        answer(std::nullopt);
    connection_.close();
    display_ = nullptr;
    ownerSince_.reset();
}

void X11PrimarySelection::readSetSince(ServerTime since, BytesHandler handler) {
    if (read_)
        answer(std::nullopt);
    // Owner changes that reached the connection but not yet the event loop count too.
    readEvents();
    if (!display_ || !ownerSince_ || !notBefore(*ownerSince_, since) ||
        XGetSelectionOwner(display_, primary_) == None) {
        handler(std::nullopt);
        return;
    }
    read_ = Read{std::move(handler), false, {}};
    XDeleteProperty(display_, window_, property_);
    XConvertSelection(display_, primary_, utf8_, property_, window_, CurrentTime);
    XFlush(display_);
    timeout_.start(options_.timeoutMs);
    connection_.readQueuedLater();
}

void X11PrimarySelection::answer(std::optional<std::string> bytes) {
    timeout_.stop();
    if (!read_)
        return;
    BytesHandler handler = std::move(read_->handler);
    read_.reset();
    if (display_)
        XDeleteProperty(display_, window_, property_);
    handler(std::move(bytes));
}

void X11PrimarySelection::takeProperty() {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // The whole property at once: lengths are in 32-bit units.
    if (XGetWindowProperty(display_, window_, property_, 0, long(options_.maxBytes / 4 + 1), True,
                           AnyPropertyType, &type, &format, &count, &after, &data) != Success) {
        answer(std::nullopt);
        return;
    }
    std::string chunk;
    if (data && format == 8)
        chunk.assign(reinterpret_cast<const char*>(data), count);
    bool incrementalStart = type == incr_;
    if (data)
        XFree(data);
    XFlush(display_);
    connection_.readQueuedLater();
    if (incrementalStart) {
        // Deleting the property (done by the read above) asks the owner for the first chunk.
        read_->incremental = true;
        return;
    }
    if (type != utf8_ || after > 0) {
        answer(std::nullopt);
        return;
    }
    if (!read_->incremental) {
        answer(std::move(chunk));
        return;
    }
    if (chunk.empty()) {
        answer(std::move(read_->bytes));
        return;
    }
    if (read_->bytes.size() + chunk.size() > options_.maxBytes) {
        answer(std::nullopt);
        return;
    }
    read_->bytes += chunk;
}

void X11PrimarySelection::readEvents() {
    while (display_ && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == fixesEvent_ + XFixesSelectionNotify) {
            const auto& notify = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
            if (notify.owner != None) {
                ownerSince_ = static_cast<ServerTime>(notify.timestamp);
                if (changed_)
                    changed_(*ownerSince_);
            } else {
                ownerSince_.reset();
            }
        } else if (event.type == SelectionNotify && read_ && !read_->incremental) {
            if (event.xselection.property == None)
                answer(std::nullopt);
            else
                takeProperty();
        } else if (event.type == PropertyNotify && read_ && read_->incremental &&
                   event.xproperty.atom == property_ && event.xproperty.state == PropertyNewValue) {
            takeProperty();
        }
    }
}

} // namespace ondravell::platform
