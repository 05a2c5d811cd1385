#pragma once

#include "core/FileOps/LaunchableApp.h"

#include <vector>

namespace ondravell {

// The terminals and editors offered in the settings. `editors` is also the order of preference when
// the user has chosen none.
struct AppLauncherCatalog {
    static const std::vector<LaunchableApp>& terminals();
    static const std::vector<LaunchableApp>& editors();
};

} // namespace ondravell
