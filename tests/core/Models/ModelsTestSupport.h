#pragma once

#include "core/Models/MenuContext.h"

#include <string>
#include <utility>
#include <vector>

namespace ondravell::test {

inline SelectedItem file(const std::string& path) {
    return SelectedItem(path, false);
}
inline SelectedItem folder(const std::string& path) {
    return SelectedItem(path, true);
}
inline MenuContext selection(std::vector<SelectedItem> items) {
    return MenuContext(std::move(items), std::filesystem::path("/home/u"));
}
// A right-click on the background of a folder.
inline MenuContext background() {
    return MenuContext({}, std::filesystem::path("/home/u"));
}

} // namespace ondravell::test
