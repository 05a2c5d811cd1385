#pragma once

#include "platform/ServiceRequest.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ondravell {

// A launch by one of the file manager's scripts: "ondravell --service <entry> [name…]", each selected
// item one argument, as Nautilus passes them: relative to the folder it runs the script in.
struct ServiceLaunch {
    static constexpr const char* option = "--service";

    // nullopt for an ordinary launch. Every argument after the entry is one item, taken byte for byte;
    // relative names are made absolute against `workingFolder`, a file URI (what Nautilus passes for
    // search results) gives its path, and empty names and URIs without a local path are left out.
    static std::optional<platform::ServiceRequest> parse(const std::vector<std::string>& arguments,
                                                         const std::filesystem::path& workingFolder);
};

} // namespace ondravell
