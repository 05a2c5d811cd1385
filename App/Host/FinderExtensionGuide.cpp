#include "App/Host/FinderExtensionGuide.h"

#include "platform/SystemSettingsOpener.h"

namespace ondravell {

bool FinderExtensionGuide::openSystemSettings(platform::SystemSettingsOpener& opener) {
    if (opener.open(platform::SystemSettingsPane::fileManagerExtensions))
        return true;
    return opener.open(platform::SystemSettingsPane::loginItemsExtensions);
}

} // namespace ondravell
