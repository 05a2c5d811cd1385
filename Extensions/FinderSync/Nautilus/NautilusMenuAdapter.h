#pragma once

#include "Extensions/FinderSync/Menu.h"

#include <functional>
#include <string>
#include <string_view>

typedef struct _GList GList;

namespace ondravell::nautilus {

// What an item does when chosen: the command it was built with runs against whatever the caller
// captured when the menu was built.
using CommandPerformer = std::function<void(const MenuCommand&)>;

// Turns the items of `menu` into a list of NautilusMenuItems (the caller owns the list and its
// references, as Nautilus expects). Each item's name is `namePrefix` followed by its position, unique
// within one menu; labels have every "_" doubled so GTK shows them as written; separators are
// dropped, since Nautilus has no place for them. Each item with a command calls `performer` with it
// on activation.
GList* makeNautilusMenuItems(const Menu& menu, std::string_view namePrefix,
                             const CommandPerformer& performer);

// "a_b" -> "a__b": GTK would take a single "_" as a mnemonic mark.
std::string escapedMnemonics(std::string_view label);

} // namespace ondravell::nautilus
