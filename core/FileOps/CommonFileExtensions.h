#pragma once

#include <array>
#include <string_view>

namespace ondravell {

// Ready-made extensions the template editor and the new-file window propose for custom templates.
struct CommonFileExtensions {
    static constexpr std::array<std::string_view, 22> presets = {
        "conf",       "ini",           "env",          "cfg",    "properties", "log",
        "gitignore",  "dockerignore",  "editorconfig", "lock",   "bak",        "tmp",
        "svg",        "patch",         "diff",         "plist",  "gradle",     "makefile",
        "dockerfile", "gitattributes", "npmrc",        "yarnrc",
    };
};

} // namespace ondravell
