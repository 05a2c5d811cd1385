#pragma once

#include "platform/GlobalMouseMonitorTable.h"
#include "platform/GlobalMouseMonitors.h"
#include "platform/x11/X11EventConnection.h"

#include <functional>
#include <memory>

typedef struct _XDisplay Display;

namespace ondravell::platform {

// Global mouse monitors from XInput 2 raw button events on the root window of $DISPLAY, read on a
// connection of their own that the Qt event loop watches. The connection exists only while a monitor is
// installed, so an idle program with no monitor has nothing to wake it. Raw events carry no position:
// the pointer is asked for at each event. Click counts follow the desktop's double-click interval and
// distance, on the server's clock.
class X11GlobalMouseMonitors final : public GlobalMouseMonitors {
public:
    struct Options {
        int doubleClickIntervalMs = 400;
        int doubleClickDistance = 5;
        // True when the point (root coordinates) lies over one of the program's own windows; such
        // events are not reported, nor the release of a left press made over one.
        std::function<bool(double x, double y)> isOwnWindowAt;
    };

    explicit X11GlobalMouseMonitors(Options options);
    ~X11GlobalMouseMonitors() override;
    X11GlobalMouseMonitors(const X11GlobalMouseMonitors&) = delete;
    X11GlobalMouseMonitors& operator=(const X11GlobalMouseMonitors&) = delete;

    // nullopt without an X server or without XInput 2.
    std::optional<Token> install(Kind kind, Handler handler) override;
    void remove(Token token) override;

private:
    bool connect();
    void disconnect();
    void readEvents();
    Event eventAtPointer(int clickCount) const;

    Options options_;
    Display* display_ = nullptr;
    int xiOpcode_ = 0;
    X11EventConnection connection_;
    GlobalMouseMonitorTable monitors_;

    // The last left press, for click counting.
    unsigned long lastPressTime_ = 0;
    double lastPressX_ = 0, lastPressY_ = 0;
    int clickCount_ = 0;
    bool hasPressed_ = false;
    // Whether the left button went down over one of our own windows and is not released yet.
    bool leftPressIsOwn_ = false;
};

} // namespace ondravell::platform
