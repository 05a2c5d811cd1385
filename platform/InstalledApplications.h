#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ondravell::platform {

// The applications the settings can name by bundle identifier, resolved the way the launcher resolves
// them (the built-in catalogue's identifiers through their desktop-file ids, any other identifier as a
// desktop-file id). Lookups read the desktop's application index.
class InstalledApplications {
public:
    virtual ~InstalledApplications() = default;

    // The name the desktop shows for the application, nullopt when none is installed under the id.
    virtual std::optional<std::string> displayName(std::string_view bundleID) const = 0;
    // The identifier under which the settings store the application of a desktop file; nullopt when the
    // file is not an application's desktop entry.
    virtual std::optional<std::string> identifierOfDesktopFile(const std::filesystem::path& file) const = 0;
    // Whether an installed application declares itself the handler of addresses with this scheme
    // ("x-scheme-handler/<scheme>"), so that opening such an address reaches a program.
    virtual bool handlesURLScheme(std::string_view scheme) const = 0;
};

} // namespace ondravell::platform
