#pragma once

#include <string>

namespace ondravell {

// What choosing a menu item does, fixed when the menu is built: the action and the argument it was
// built for (a path format, a template id, a folder path, an algorithm). Never an index into a list
// that may change before the item is chosen.
struct MenuCommand {
    std::string actionID;
    std::string argument;
    friend bool operator==(const MenuCommand&, const MenuCommand&) = default;
};

} // namespace ondravell
