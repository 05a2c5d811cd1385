#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace ondravell::platform {

// The folder that both programs share for the given group identifier:
// $XDG_DATA_HOME/<group> (by default ~/.local/share/<group>), created with mode 0700. The environment
// variable ONDRAVELL_CONTAINER names another folder (tests use it). nullopt when the folder cannot be
// found or created.
std::optional<std::filesystem::path> appGroupContainerURL(std::string_view appGroupID);

} // namespace ondravell::platform
