#include "platform/xdg/InstalledNautilusExtension.h"

#include <system_error>

namespace ondravell::platform {

bool InstalledNautilusExtension::isExtensionEnabled() const {
    std::error_code error;
    return !extensionFolder_.empty() &&
           std::filesystem::is_regular_file(extensionFolder_ / moduleFileName, error);
}

} // namespace ondravell::platform
