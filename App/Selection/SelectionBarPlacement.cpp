#include "App/Selection/SelectionBarPlacement.h"

#include <algorithm>

namespace ondravell {

SelectionBarPlacement::Point SelectionBarPlacement::origin(Point point, double width, double height,
                                                           const std::vector<Screen>& screens,
                                                           std::optional<std::size_t> primary) {
    Point origin{point.x - width / 2, point.y - gap - height};
    auto screen = std::find_if(screens.begin(), screens.end(),
                               [point](const Screen& s) { return s.frame.contains(point); });
    const Screen* chosen = nullptr;
    if (screen != screens.end())
        chosen = &*screen;
    else if (primary && *primary < screens.size())
        chosen = &screens[*primary];
    if (!chosen)
        return origin;
    const Rect& area = chosen->available;
    origin.x = std::max(origin.x, area.x + sideMargin);
    origin.x = std::min(origin.x, area.x + area.width - width - sideMargin);
    // Only the top is kept clear: a bar below the point may run off the bottom.
    if (origin.y < area.y)
        origin.y = point.y + gap;
    return origin;
}

} // namespace ondravell
