#pragma once

#include <functional>
#include <optional>

namespace ondravell::platform {

// Where the pointer is on the desktop, in device pixels, for placing a window beside it.
class PointerPosition {
public:
    struct Point {
        double x = 0;
        double y = 0;
    };

    virtual ~PointerPosition() = default;

    // Calls `done` once, on the event loop's thread, soon enough to place a window at once (a source that
    // is slow to answer answers nullopt); nullopt when the position is not known.
    virtual void locate(std::function<void(std::optional<Point>)> done) = 0;
};

} // namespace ondravell::platform
