#pragma once

#include <functional>
#include <memory>

typedef struct _XDisplay Display;
class QSocketNotifier;

namespace ondravell::platform {

// An Xlib connection of a service's own, whose events the Qt event loop hands to the service.
class X11EventConnection {
public:
    X11EventConnection();
    ~X11EventConnection();
    X11EventConnection(const X11EventConnection&) = delete;
    X11EventConnection& operator=(const X11EventConnection&) = delete;

    // Takes over `display`, already set up for the events wanted; `onEvents` runs on the event loop
    // whenever events may be waiting.
    void watch(Display* display, std::function<void()> onEvents);
    // Closes the connection; safe from within `onEvents`.
    void close();
    Display* display() const { return display_; }
    // A round trip may move events from the socket into Xlib's queue, where the socket watch no longer
    // sees them: this hands them over on the next turn of the event loop.
    void readQueuedLater();

private:
    Display* display_ = nullptr;
    std::function<void()> onEvents_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace ondravell::platform
