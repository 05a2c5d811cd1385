#pragma once

#include <filesystem>

namespace ondravell {

// The folders that permanent deletion refuses to touch: the system's own folders (macOS and Linux),
// every home folder directly below "/Users" or "/home", and the user's own home folder ($HOME).
// Paths are standardised lexically first, so "/Library/", "//", "/usr/../usr" and "/Users/alice/.."
// are caught as what they name; the text of a path and a file location are therefore judged alike. A
// path that is not absolute, or that holds a NUL (the system would act on the part before it), names
// nothing certain and is refused too.
struct PathGuard {
    static bool isProtected(const std::filesystem::path& path);
};

} // namespace ondravell
