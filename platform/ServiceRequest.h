#pragma once

#include <string>
#include <vector>

namespace ondravell::platform {

// A file action that a launch of the application asks of the running instance: the entry's name
// ("odCopyPath") and the selected items' paths, in the file manager's order.
struct ServiceRequest {
    std::string entry;
    std::vector<std::string> paths;

    friend bool operator==(const ServiceRequest&, const ServiceRequest&) = default;
};

} // namespace ondravell::platform
