#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell::platform {

// An application of the desktop's launcher, as a chooser offers it.
struct InstalledApplication {
    // What the settings store for it.
    std::string identifier;
    std::string displayName;
    // A name of the icon theme, or the absolute path of a picture; empty when it has none.
    std::string icon;

    bool operator==(const InstalledApplication&) const = default;
};

// The applications the settings can name by bundle identifier, resolved the way the launcher resolves
// them (the built-in catalogue's identifiers through their desktop-file ids, any other identifier as a
// desktop-file id). Lookups read the desktop's application index.
class InstalledApplications {
public:
    virtual ~InstalledApplications() = default;

    // The name the desktop shows for the application, nullopt when none is installed under the id.
    virtual std::optional<std::string> displayName(std::string_view bundleID) const = 0;
    // The applications the desktop's launcher shows, in no particular order.
    virtual std::vector<InstalledApplication> applications() const = 0;
    // Whether an installed application declares itself the handler of addresses with this scheme
    // ("x-scheme-handler/<scheme>"), so that opening such an address reaches a program.
    virtual bool handlesURLScheme(std::string_view scheme) const = 0;
};

} // namespace ondravell::platform
