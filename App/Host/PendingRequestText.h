#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The two pending requests that travel as plain UTF-8 text rather than JSON.
struct PendingRequestText {
    // "pending-newfile.txt": one folder path, trimmed of white space and line breaks at both ends.
    // nullopt for text that is not UTF-8 or holds nothing else.
    static std::optional<std::string> newFileDirectory(std::string_view text);
    // "pending-delete.txt": the non-empty lines between line feeds, in order and untrimmed (a leading
    // space stays part of its path). Empty for text that is not UTF-8 or has no line.
    static std::vector<std::string> deletePaths(std::string_view text);
};

} // namespace ondravell
