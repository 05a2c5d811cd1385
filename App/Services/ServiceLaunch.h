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
    // search results) gives its path. An item that gives no absolute path (a relative name when the
    // working folder is unknown, an empty name, a URI without a local path) stays as it was given, so
    // the request is refused as a whole rather than shortened.
    static std::optional<platform::ServiceRequest> parse(const std::vector<std::string>& arguments,
                                                         const std::filesystem::path& workingFolder);

    // Moves the process to the home folder ("/" without one) once the names are resolved: a program that
    // lives in the tray must not keep the folder it was started in busy (a removable disk could not be
    // unmounted), and what it starts later should not inherit that folder either.
    static void leaveWorkingFolder();
};

} // namespace ondravell
