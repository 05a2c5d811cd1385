#pragma once

#include "core/Models/SelectionAction.h"

#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The buttons of the selection bar for a text: the user's enabled actions in the user's order (the
// default actions in built-in order while the user chose none), keeping the actions that act on a
// link, a calculation, a timestamp or a colour only when the text holds one.
struct SelectionBarActions {
    SelectionBarActions() = delete;
    static std::vector<SelectionAction> actions(std::string_view text,
                                                const std::vector<std::string>& selectionActionIDs);
};

} // namespace ondravell
