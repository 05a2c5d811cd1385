#pragma once

#include <gio/gio.h>
#include <string_view>

namespace ondravell::platform {

// The installed application that a bundle identifier of the settings names: the first of its
// desktop-file ids that is installed; for the system's editor without any, the desktop's default
// application for plain text. Owned by the caller; nullptr when nothing is installed.
GAppInfo* lookUpDesktopApp(std::string_view bundleID);

} // namespace ondravell::platform
