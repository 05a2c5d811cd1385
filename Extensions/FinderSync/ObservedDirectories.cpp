#include "Extensions/FinderSync/ObservedDirectories.h"

#include "core/Support/PathRules.h"

#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace ondravell {

namespace {

std::string userName() {
    // getpwuid_r: the host may look users up on other threads.
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
        return found->pw_name;
    return {};
}

std::filesystem::path standardized(const std::filesystem::path& path) {
    return PathRules::standardized(path.string());
}

} // namespace

std::vector<std::filesystem::path> ObservedDirectories::mountRoots() {
    std::vector<std::filesystem::path> roots = {"/media"};
    if (std::string user = userName(); !user.empty())
        roots.push_back(std::filesystem::path("/run/media") / user);
    roots.emplace_back("/mnt");
    return roots;
}

std::set<std::filesystem::path>
ObservedDirectories::gather(const std::vector<std::filesystem::path>& mountRoots,
                            const std::vector<std::filesystem::path>& volumes) {
    std::set<std::filesystem::path> observed = {"/"};
    for (const auto& root : mountRoots) {
        observed.insert(standardized(root));
        std::error_code error;
        for (std::filesystem::directory_iterator entry(root, error), end; !error && entry != end;
             entry.increment(error)) {
            if (!entry->path().filename().string().starts_with('.'))
                observed.insert(standardized(entry->path()));
        }
    }
    for (const auto& volume : volumes)
        observed.insert(standardized(volume));
    return observed;
}

} // namespace ondravell
