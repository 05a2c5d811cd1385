#include "core/FileOps/PathGuard.h"

#include "core/Support/PathRules.h"

#include <array>
#include <cstdlib>
#include <string>

namespace ondravell {

namespace {

constexpr std::array<std::string_view, 27> protectedPaths = {
    // macOS
    "/", "/Users", "/Applications", "/System", "/Library", "/usr", "/bin", "/sbin", "/etc", "/var",
    "/private", "/opt", "/cores", "/Volumes",
    // Linux, beyond those it shares with macOS
    "/home", "/root", "/boot", "/dev", "/proc", "/sys", "/run", "/lib", "/lib64", "/srv", "/mnt", "/media",
    "/tmp"};

// Folders whose direct children are somebody's home folder.
constexpr std::array<std::string_view, 2> homeParents = {"/Users", "/home"};

bool isHomeFolderBelow(const std::string& path) {
    for (std::string_view parent : homeParents) {
        if (PathRules::deletingLastPathComponent(path) == parent && path != parent)
            return true;
    }
    return false;
}

bool isCurrentUsersHome(const std::string& path) {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return false;
    return PathRules::standardized(home) == path;
}

} // namespace

bool PathGuard::isProtected(const std::filesystem::path& location) {
    const std::string& path = location.native();
    // The system reads a path only up to its first NUL: the text checked here would not be the path used.
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos)
        return true;
    const std::string standardized = PathRules::standardized(path);
    for (std::string_view guarded : protectedPaths) {
        if (standardized == guarded)
            return true;
    }
    return isHomeFolderBelow(standardized) || isCurrentUsersHome(standardized);
}

} // namespace ondravell
