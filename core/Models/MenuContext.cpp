#include "core/Models/MenuContext.h"

#include <algorithm>

namespace ondravell {

MenuContext::MenuContext(std::vector<SelectedItem> items, std::optional<std::filesystem::path> container)
    : items_(std::move(items)), container_(std::move(container)) {
    for (const auto& item : items_)
        if (!item.ext().empty())
            extensions_.insert(item.ext());
    auto isDirectory = [](const SelectedItem& item) { return item.isDirectory(); };
    allDirectories_ = !items_.empty() && std::all_of(items_.begin(), items_.end(), isDirectory);
    allFiles_ = !items_.empty() && std::none_of(items_.begin(), items_.end(), isDirectory);
}

} // namespace ondravell
