#pragma once

#include "Extensions/FinderSync/MenuCommand.h"

#include <optional>
#include <string>
#include <vector>

namespace ondravell {

// The image beside a menu item: a symbol name as stored in data, and whether it is drawn for a dark
// desktop. The host's adapter turns it into whatever its toolkit shows.
struct MenuImage {
    std::string symbolName;
    bool dark = false;
    friend bool operator==(const MenuImage&, const MenuImage&) = default;
};

struct MenuItem;

// A toolkit-neutral menu: what the extension hands to the file manager's adapter.
struct Menu {
    std::string title;
    std::vector<MenuItem> items;
    bool empty() const { return items.empty(); }
};

// One entry of a menu: a separator, an item that runs a command, or an item that opens a submenu.
struct MenuItem {
    std::string title;
    std::optional<MenuImage> image;
    std::optional<MenuCommand> command;
    std::optional<Menu> submenu;
    bool isSeparator = false;

    static MenuItem separator() {
        MenuItem item;
        item.isSeparator = true;
        return item;
    }
};

} // namespace ondravell
