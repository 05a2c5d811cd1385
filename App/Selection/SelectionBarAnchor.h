#pragma once

#include "App/Selection/SelectionMonitor.h"

#include <functional>

namespace ondravell {

namespace platform {
class FocusedText;
class PointerPosition;
} // namespace platform

// Where the bar goes when no release point was seen (a selection in a Wayland window, the hot key in a
// Wayland session): at the selection when its window is an X11 one, whose extents are true screen
// coordinates; else at the pointer, when a source knows it; else at the fixed spot. In device pixels.
struct SelectionBarAnchor {
    using Point = SelectionMonitor::Point;
    struct Sources {
        std::function<bool()> focusedWindowIsX11;
        platform::FocusedText* focusedText = nullptr;
        // The pointer where the desktop can tell it over any window.
        platform::PointerPosition* pointer = nullptr;
        // The pointer over X11 windows only.
        platform::PointerPosition* x11Pointer = nullptr;
        std::function<Point()> fixedSpot;
    };

    // Calls `done` once with the point, above which the bar goes.
    static void locate(const Sources& sources, std::function<void(Point)> done);
};

} // namespace ondravell
