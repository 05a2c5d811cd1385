#include "platform/x11/X11GlobalMouseMonitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <cmath>
#include <utility>
#include <vector>

namespace ondravell::platform {

namespace {

constexpr int leftButton = 1;
constexpr int rightButton = 3;
// Buttons 4 to 7 are the wheel's four directions.
constexpr int firstWheelButton = 4;
constexpr int lastWheelButton = 7;

} // namespace

X11GlobalMouseMonitors::X11GlobalMouseMonitors(Options options) : options_(std::move(options)) {}

X11GlobalMouseMonitors::~X11GlobalMouseMonitors() {
    disconnect();
}

std::optional<GlobalMouseMonitors::Token> X11GlobalMouseMonitors::install(Kind kind, Handler handler) {
    if (!display_ && !connect())
        return std::nullopt;
    return monitors_.add(kind, std::move(handler));
}

void X11GlobalMouseMonitors::remove(Token token) {
    monitors_.remove(token);
    if (monitors_.empty())
        disconnect();
}

bool X11GlobalMouseMonitors::connect() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    // Announcing 2.2 matters: the server sends raw events to clients of 2.0 only while no other
    // client grabs the pointer, and a press in any window grabs it until the release.
    int event = 0, error = 0, major = 2, minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &xiOpcode_, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success) {
        XCloseDisplay(display);
        return false;
    }
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(mask, XI_RawButtonPress);
    XISetMask(mask, XI_RawButtonRelease);
    XIEventMask eventMask{XIAllMasterDevices, static_cast<int>(sizeof(mask)), mask};
    XISelectEvents(display, DefaultRootWindow(display), &eventMask, 1);
    // A round trip, so that a press made right after arming is already reported: a flush alone lets
    // another client's input reach the server first.
    XSync(display, False);
    connection_.watch(display, [this] { readEvents(); });
    display_ = display;
    return true;
}

void X11GlobalMouseMonitors::disconnect() {
    // A handler may remove the last monitor from within the connection's own event handling.
    connection_.close();
    display_ = nullptr;
    hasPressed_ = false;
    leftPressIsOwn_ = false;
}

X11GlobalMouseMonitors::Event X11GlobalMouseMonitors::eventAtPointer(int clickCount) const {
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &winX, &winY,
                  &buttons);
    return Event{static_cast<double>(rootX), static_cast<double>(rootY), clickCount};
}

void X11GlobalMouseMonitors::readEvents() {
    // Handlers may remove the last monitor and so close the connection: collect first, dispatch after.
    std::vector<std::pair<Kind, Event>> pending;
    while (display_ && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xiOpcode_ ||
            !XGetEventData(display_, cookie))
            continue;
        const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
        const bool press = cookie->evtype == XI_RawButtonPress;
        const std::size_t before = pending.size();
        if (raw->detail == leftButton) {
            if (press) {
                Event at = eventAtPointer(1);
                bool repeats =
                    hasPressed_ &&
                    raw->time - lastPressTime_ <=
                        static_cast<unsigned long>(options_.doubleClickIntervalMs) &&
                    std::hypot(at.x - lastPressX_, at.y - lastPressY_) <= options_.doubleClickDistance;
                clickCount_ = repeats ? clickCount_ + 1 : 1;
                hasPressed_ = true;
                lastPressTime_ = raw->time;
                lastPressX_ = at.x;
                lastPressY_ = at.y;
                at.clickCount = clickCount_;
                pending.emplace_back(Kind::leftMouseDown, at);
            } else {
                pending.emplace_back(Kind::leftMouseUp, eventAtPointer(std::max(clickCount_, 1)));
            }
        } else if (press && raw->detail == rightButton) {
            pending.emplace_back(Kind::rightMouseDown, eventAtPointer(1));
        } else if (press && raw->detail >= firstWheelButton && raw->detail <= lastWheelButton) {
            pending.emplace_back(Kind::scrollWheel, eventAtPointer(0));
        }
        if (pending.size() > before)
            pending.back().second.serverTime = static_cast<std::uint32_t>(raw->time);
        XFreeEventData(display_, cookie);
    }
    for (const auto& [kind, event] : pending) {
        // A click on one of our buttons often closes its window before the release is read: the
        // release belongs to the press, so it is ours too and never ends a gesture elsewhere.
        if (kind == Kind::leftMouseUp && std::exchange(leftPressIsOwn_, false))
            continue;
        const bool own = options_.isOwnWindowAt && options_.isOwnWindowAt(event.x, event.y);
        if (kind == Kind::leftMouseDown)
            leftPressIsOwn_ = own;
        if (!own)
            monitors_.dispatch(kind, event);
    }
}

} // namespace ondravell::platform
