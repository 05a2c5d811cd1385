#pragma once

#include <optional>
#include <vector>

namespace ondravell {

// Where the selection bar goes, in the desktop's coordinates with y growing downwards: centred on the
// point, `gap` above it, or below it when it would leave the top of the screen's available area, and
// `sideMargin` away from that area's left and right edges (the right edge wins on a narrow screen).
struct SelectionBarPlacement {
    struct Point {
        double x = 0;
        double y = 0;
        friend bool operator==(const Point&, const Point&) = default;
    };
    struct Rect {
        double x = 0, y = 0, width = 0, height = 0;
        // The left and top edges are inside, the right and bottom edges are not.
        bool contains(Point p) const { return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height; }
    };
    struct Screen {
        Rect frame;
        Rect available; // without panels and docks
    };

    static constexpr double gap = 18;
    static constexpr double sideMargin = 6;

    // The bar's top-left corner for a bar of `width` × `height` at `point`. The screen is the first
    // whose frame holds the point, else `primary`; with neither, the position is not clamped.
    static Point origin(Point point, double width, double height, const std::vector<Screen>& screens,
                        std::optional<std::size_t> primary);

    // The result panel's top-left corner: centred on the point with its top edge `resultGapBelow`
    // below it, or, when its bottom would leave the available area, its bottom edge `resultGapAbove`
    // above the point (the top is not clamped then). Same screen and side margins as the bar.
    static constexpr double resultGapBelow = 12;
    static constexpr double resultGapAbove = 24;
    static Point resultOrigin(Point point, double width, double height, const std::vector<Screen>& screens,
                              std::optional<std::size_t> primary);

    // The point the bar goes to when nothing tells where the selection is: the horizontal centre of the
    // primary screen (else the first), `fixedSpotFromTop` of its height below its top; nullopt without
    // a screen.
    static constexpr double fixedSpotFromTop = 0.3;
    static std::optional<Point> fixedSpot(const std::vector<Screen>& screens,
                                          std::optional<std::size_t> primary);
};

} // namespace ondravell
