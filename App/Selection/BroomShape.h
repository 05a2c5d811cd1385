#pragma once

#include <array>

namespace ondravell {

// The broom beside "字" on the text clean-up button: five separate straight strokes (handle, binding
// and three bristles), each begun on its own, stroked with round caps and joins.
struct BroomShape {
    // One stroke, in fractions of the shape's frame (y grows downwards).
    struct Segment {
        double x1, y1, x2, y2;
    };

    BroomShape() = delete;
    static const std::array<Segment, 5>& segments();
    // The stroke width for a glyph of base size b: 0.11 b, at least 1.
    static double lineWidth(double baseSize);
};

} // namespace ondravell
