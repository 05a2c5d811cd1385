#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ondravell {

// The names taken in one folder, compared as the free-name rule compares them: canonically equivalent
// Unicode spellings count as equal, otherwise exactly and case-sensitively. Kept up to date by whoever
// adds items to the folder, so that choosing many free names lists the folder once.
class FolderNames {
public:
    FolderNames() = default;
    explicit FolderNames(const std::set<std::string>& names);

    // The names of all entries of a folder, hidden ones included; none when it cannot be listed.
    static std::set<std::string> entryNames(const std::filesystem::path& folder);
    static FolderNames of(const std::filesystem::path& folder);

    // The first of "stem", "stem 2", "stem 3", … (with "." and `ext` appended when `ext` is not empty)
    // that is not taken.
    std::string freeName(std::string_view baseName, std::string_view ext) const;

    bool contains(std::string_view name) const;
    void add(std::string_view name);
    // Gives up one entry of that name (a folder may hold two spellings that compare equal).
    void remove(std::string_view name);

private:
    // Each composed name with the number of entries that spell it.
    std::unordered_map<std::string, std::size_t> composedNames_;
};

} // namespace ondravell
