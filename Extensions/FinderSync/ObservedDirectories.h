#pragma once

#include <filesystem>
#include <set>
#include <vector>

namespace ondravell {

// Where the extension serves menus: the whole file system, the folders removable media are mounted
// under, their visible entries, and every mounted volume. Rebuilt whole at each registration, so an
// unmounted volume drops out.
struct ObservedDirectories {
    // "/media", "/run/media/<user>" and "/mnt".
    static std::vector<std::filesystem::path> mountRoots();

    // "/", the mount roots, the entries of each mount root whose names do not start with a point, and
    // the volumes, each once. A mount root that cannot be listed adds only itself.
    static std::set<std::filesystem::path> gather(const std::vector<std::filesystem::path>& mountRoots,
                                                  const std::vector<std::filesystem::path>& volumes);
};

} // namespace ondravell
