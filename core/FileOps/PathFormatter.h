#pragma once

#include "core/FileOps/PathFormat.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// Turns file locations into text for the clipboard: in one of the fixed formats or through a path
// template the user wrote. Every location is first made absolute and standardised lexically ("." and
// ".." resolved, repeated and trailing "/" removed); nothing here touches the disk.
struct PathFormatter {
    static std::string format(const std::filesystem::path& url, PathFormat format,
                              const std::optional<std::filesystem::path>& base = std::nullopt);
    // Each location formatted with the same base, joined with a line feed (no trailing one).
    static std::string formatMultiple(const std::vector<std::filesystem::path>& urls, PathFormat format,
                                      const std::optional<std::filesystem::path>& base = std::nullopt);
    // "../b/c.txt" for /a/b/c.txt seen from /a/d; "." when both are the same.
    static std::string relativePath(const std::filesystem::path& target, const std::filesystem::path& base);

    // The placeholders {path}, {name}, {name_noext}, {ext}, {parent} and {url}, replaced in one pass.
    static std::string render(const std::filesystem::path& url, std::string_view pathTemplate);
    static std::string renderMultiple(const std::vector<std::filesystem::path>& urls,
                                      std::string_view pathTemplate);

    // "file://" and the path, percent-encoded where a URL path may not hold the byte as it is; a path
    // given with a trailing "/" (a folder) keeps it.
    static std::string fileURLString(const std::filesystem::path& url);
    // The path wrapped in single quotes for a POSIX shell.
    static std::string shellQuoted(std::string_view path);
};

} // namespace ondravell
