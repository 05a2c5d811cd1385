#pragma once

#include "core/Models/MenuContext.h"

#include <filesystem>
#include <optional>

namespace ondravell {

// The folders that actions derive from a selection.
struct SelectionTargets {
    // The first selected item that is a folder, in selection order.
    static std::optional<std::filesystem::path> firstDirectory(const MenuContext& context);
    // The folder that holds the first selected item.
    static std::optional<std::filesystem::path> firstItemParent(const MenuContext& context);
};

} // namespace ondravell
