#pragma once

#include "platform/ServiceRequest.h"

#include <optional>
#include <string>
#include <vector>

namespace ondravell {

// A launch by one of the file manager's scripts: "ondravell --service <entry> [path…]", with the
// selection in NAUTILUS_SCRIPT_SELECTED_FILE_PATHS (one path per line) as Nautilus sets it.
struct ServiceLaunch {
    static constexpr const char* option = "--service";
    static constexpr const char* selectionVariable = "NAUTILUS_SCRIPT_SELECTED_FILE_PATHS";

    // nullopt for an ordinary launch. Paths come from the arguments after the entry, then from the
    // variable; empty lines are left out.
    static std::optional<platform::ServiceRequest> parse(const std::vector<std::string>& arguments,
                                                         const char* selection);
};

} // namespace ondravell
