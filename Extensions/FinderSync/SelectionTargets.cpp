#include "Extensions/FinderSync/SelectionTargets.h"

#include "core/Support/PathRules.h"

#include <algorithm>

namespace ondravell {

std::optional<std::filesystem::path> SelectionTargets::firstDirectory(const MenuContext& context) {
    const auto& items = context.items();
    auto folder =
        std::find_if(items.begin(), items.end(), [](const SelectedItem& item) { return item.isDirectory(); });
    if (folder == items.end())
        return std::nullopt;
    return folder->url();
}

std::optional<std::filesystem::path> SelectionTargets::firstItemParent(const MenuContext& context) {
    if (context.items().empty())
        return std::nullopt;
    return std::filesystem::path(
        PathRules::deletingLastPathComponent(context.items().front().url().native()));
}

} // namespace ondravell
