#pragma once

#include <string>

namespace ondravell::platform::gio {

// Hands a URI to the desktop's default handler of its scheme; false when none took it.
bool launchDefaultForURI(const std::string& uri);

// Whether an installed application is the default handler of this scheme.
bool schemeHasHandler(const std::string& scheme);

} // namespace ondravell::platform::gio
