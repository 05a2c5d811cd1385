#pragma once

#include "platform/InstalledApplications.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ondravell {

// The applications a chooser offers, sorted by name (letter case aside), then by identifier.
std::vector<platform::InstalledApplication>
applicationChoices(const platform::InstalledApplications& installed);

// Lets the user pick one of `choices`: its identifier, nullopt when the user cancels.
using ApplicationChooser =
    std::function<std::optional<std::string>(const std::vector<platform::InstalledApplication>& choices)>;

// The chooser's list narrowed to what the user types into its search field: the applications whose name
// or identifier holds the text, letter case aside.
class ApplicationChoiceFilter {
public:
    explicit ApplicationChoiceFilter(std::vector<platform::InstalledApplication> choices);

    const std::vector<platform::InstalledApplication>& shown() const { return shown_; }
    void setText(const std::string& text);

private:
    std::vector<platform::InstalledApplication> all_;
    std::vector<platform::InstalledApplication> shown_;
};

} // namespace ondravell
