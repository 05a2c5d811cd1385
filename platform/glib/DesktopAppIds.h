#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ondravell::platform {

// Where the desktop finds an application the settings name by bundle identifier: the desktop-file ids
// to try, in order. The terminals and editors of the built-in catalogue map to the ids their Linux
// packages install (none for those that have no Linux build: they count as not installed); any other
// identifier is taken as a desktop-file id itself, with ".desktop" added when it lacks it.
struct DesktopAppIds {
    static std::vector<std::string> candidates(std::string_view bundleID);
};

} // namespace ondravell::platform
