#pragma once

#include "platform/InstalledApplications.h"

namespace ondravell::platform {

// Applications from the desktop's application index (GIO desktop files). A desktop file chosen by the
// user is known by its desktop-file id: its path below an "applications" folder of the XDG data
// folders with "/" turned into "-", or its file name elsewhere, without ".desktop".
class GioInstalledApplications final : public InstalledApplications {
public:
    std::optional<std::string> displayName(std::string_view bundleID) const override;
    std::optional<std::string> identifierOfDesktopFile(const std::filesystem::path& file) const override;
    bool handlesURLScheme(std::string_view scheme) const override;
};

} // namespace ondravell::platform
