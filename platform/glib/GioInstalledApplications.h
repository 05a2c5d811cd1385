#pragma once

#include "platform/InstalledApplications.h"

namespace ondravell::platform {

// Applications from the desktop's application index (GIO desktop files). An application is known by
// its desktop-file id without ".desktop".
class GioInstalledApplications final : public InstalledApplications {
public:
    std::optional<std::string> displayName(std::string_view bundleID) const override;
    std::vector<InstalledApplication> applications() const override;
    bool handlesURLScheme(std::string_view scheme) const override;
};

} // namespace ondravell::platform
