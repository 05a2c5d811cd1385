#pragma once

#include <algorithm>
#include <cstddef>
#include <set>
#include <vector>

namespace ondravell {

// Moves the elements at `offsets` so that they stand, in their former order, before the element that
// stood at `destination` before the move (at the end when `destination` is the element count), as a
// list's drag-and-drop reports it. Offsets outside the list are ignored; a destination past the end
// counts as the end.
template <class T>
void moveElements(std::vector<T>& elements, const std::set<std::size_t>& offsets, std::size_t destination) {
    destination = std::min(destination, elements.size());
    std::vector<T> moved;
    std::vector<T> kept;
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (offsets.contains(i)) {
            moved.push_back(std::move(elements[i]));
        } else {
            if (i < destination)
                ++insertAt;
            kept.push_back(std::move(elements[i]));
        }
    }
    kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(insertAt), std::make_move_iterator(moved.begin()),
                std::make_move_iterator(moved.end()));
    elements = std::move(kept);
}

// Moves the one element at `index` by `distance` places. False, and nothing moves, when either end of
// the move lies outside the list.
template <class T> bool moveElement(std::vector<T>& elements, std::size_t index, std::ptrdiff_t distance) {
    auto target = static_cast<std::ptrdiff_t>(index) + distance;
    if (index >= elements.size() || target < 0 || target >= static_cast<std::ptrdiff_t>(elements.size()))
        return false;
    auto destination = static_cast<std::size_t>(distance >= 1 ? target + 1 : target);
    moveElements(elements, {index}, destination);
    return true;
}

} // namespace ondravell
