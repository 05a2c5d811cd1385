#pragma once

#include <string>
#include <string_view>

namespace ondravell {

// Removes space-like characters (Unicode category Zs: the space, the no-break space, the ideographic
// space, ...) and tabs from both ends of a name the user typed. Line breaks stay: a name is taken as
// typed apart from its padding.
std::string trimmingSpacesAndTabs(std::string_view text);

} // namespace ondravell
