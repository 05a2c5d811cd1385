#pragma once

#include <string>
#include <string_view>

namespace ondravell {

// The path rules used everywhere the system names files: all on UTF-8 text, none touch the disk.
struct PathRules {
    // "/a/b/" -> "b", "/" -> "/", "" -> "".
    static std::string lastPathComponent(std::string_view path);
    // The extension of the last component without its dot: "a.tar.gz" -> "gz". A leading dot does not
    // start an extension (".bashrc" has none) and a trailing dot gives none ("a." -> "").
    static std::string pathExtension(std::string_view path);
    // The path without its extension and dot, when it has one: "/x/a.tar.gz" -> "/x/a.tar".
    static std::string deletingPathExtension(std::string_view path);
    // The last component without its extension: "/x/a.tar.gz" -> "a.tar", "/x/.bashrc" -> ".bashrc".
    static std::string nameWithoutExtension(std::string_view path);
    // The folder holding the last component: "/a/b" -> "/a", "/a" -> "/", "a" -> "".
    static std::string deletingLastPathComponent(std::string_view path);
    // Joins with exactly one "/" between the two parts.
    static std::string appendingPathComponent(std::string_view path, std::string_view component);
    // Lexical standardisation: repeated "/" collapsed, "." dropped, ".." resolved against the
    // previous component (never above "/"), no trailing "/" except for the root itself.
    static std::string standardized(std::string_view path);
};

} // namespace ondravell
