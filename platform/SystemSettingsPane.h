#pragma once

namespace ondravell::platform {

// The places of the desktop's settings that the application sends the user to.
enum class SystemSettingsPane {
    fileManagerExtensions, // where the file manager's extension is switched on
    loginItemsExtensions,  // the same, as listed among the login items and extensions
    accessibility,         // the permission to watch and synthesise input
};

} // namespace ondravell::platform
