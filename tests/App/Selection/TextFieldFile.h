#pragma once

#include <cstdio>
#include <string>

namespace ondravell::test {

// Replaces the file at `path` whole with `text` (through a new file renamed over it, so that a reader
// never sees half of it); nothing when `path` is empty. The text-field clients report their text so.
inline void writeTextFieldFile(const std::string& path, const char* text) {
    if (path.empty())
        return;
    const std::string temporary = path + ".new";
    if (FILE* file = std::fopen(temporary.c_str(), "wb")) {
        std::fwrite(text, 1, std::char_traits<char>::length(text), file);
        std::fclose(file);
        std::rename(temporary.c_str(), path.c_str());
    }
}

} // namespace ondravell::test
