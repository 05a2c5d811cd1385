#include "App/Selection/BroomShape.h"

#include <algorithm>

namespace ondravell {

const std::array<BroomShape::Segment, 5>& BroomShape::segments() {
    static constexpr std::array<Segment, 5> segments = {{
        {0.82, 0.04, 0.50, 0.52}, // handle
        {0.34, 0.66, 0.64, 0.56}, // binding
        {0.46, 0.60, 0.12, 0.94},
        {0.52, 0.62, 0.34, 0.98},
        {0.58, 0.62, 0.58, 0.98},
    }};
    return segments;
}

double BroomShape::lineWidth(double baseSize) {
    return std::max(0.11 * baseSize, 1.0);
}

} // namespace ondravell
