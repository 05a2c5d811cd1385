#pragma once

namespace ondravell {

namespace platform {
class SystemSettingsOpener;
}

// Leads the user to where the file manager's extension is switched on.
struct FinderExtensionGuide {
    FinderExtensionGuide() = delete;

    // Tries the extensions pane, then the login-items pane. False when neither could be opened; the
    // user is not told.
    static bool openSystemSettings(platform::SystemSettingsOpener& opener);
};

} // namespace ondravell
