#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace ondravell::platform {

// Finds a one-colour (symbolic) icon of a freedesktop icon theme with a few file look-ups: the file
// `<iconName>.svg` in the scalable folders that the index of `themeName` (and of each theme it
// inherits) lists, under each folder of `searchPaths` that holds the theme. Any other folder of a theme
// is never looked into, nor the common fallback theme "hicolor": it holds the programs' own icons, in
// hundreds of folders, and where a program installed an icon without updating the theme's cache, a walk
// through them costs thousands of look-ups per name. nullopt when no such file exists.
std::optional<std::filesystem::path> findSymbolicIcon(std::string_view iconName, std::string_view themeName,
                                                      const std::vector<std::filesystem::path>& searchPaths);

} // namespace ondravell::platform
