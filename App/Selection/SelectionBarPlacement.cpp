#include "App/Selection/SelectionBarPlacement.h"

#include <algorithm>

namespace ondravell {

namespace {

// The available area of the first screen whose frame holds the point, else of the primary screen.
const SelectionBarPlacement::Rect* areaFor(SelectionBarPlacement::Point point,
                                           const std::vector<SelectionBarPlacement::Screen>& screens,
                                           std::optional<std::size_t> primary) {
    auto screen =
        std::find_if(screens.begin(), screens.end(),
                     [point](const SelectionBarPlacement::Screen& s) { return s.frame.contains(point); });
    if (screen != screens.end())
        return &screen->available;
    if (primary && *primary < screens.size())
        return &screens[*primary].available;
    return nullptr;
}

} // namespace

SelectionBarPlacement::Point SelectionBarPlacement::origin(Point point, double width, double height,
                                                           const std::vector<Screen>& screens,
                                                           std::optional<std::size_t> primary) {
    Point origin{point.x - width / 2, point.y - gap - height};
    const Rect* chosen = areaFor(point, screens, primary);
    if (!chosen)
        return origin;
    const Rect& area = *chosen;
    origin.x = std::max(origin.x, area.x + sideMargin);
    origin.x = std::min(origin.x, area.x + area.width - width - sideMargin);
    // Only the top is kept clear: a bar below the point may run off the bottom.
    if (origin.y < area.y)
        origin.y = point.y + gap;
    return origin;
}

SelectionBarPlacement::Point SelectionBarPlacement::resultOrigin(Point point, double width, double height,
                                                                 const std::vector<Screen>& screens,
                                                                 std::optional<std::size_t> primary) {
    Point origin{point.x - width / 2, point.y + resultGapBelow};
    const Rect* area = areaFor(point, screens, primary);
    if (!area)
        return origin;
    origin.x = std::min(std::max(origin.x, area->x + sideMargin), area->x + area->width - width - sideMargin);
    if (origin.y + height > area->y + area->height)
        origin.y = point.y - resultGapAbove - height;
    return origin;
}

std::optional<SelectionBarPlacement::Point>
SelectionBarPlacement::fixedSpot(const std::vector<Screen>& screens, std::optional<std::size_t> primary) {
    if (screens.empty())
        return std::nullopt;
    const Rect& frame = screens[primary && *primary < screens.size() ? *primary : 0].frame;
    return Point{frame.x + frame.width / 2, frame.y + frame.height * fixedSpotFromTop};
}

} // namespace ondravell
