#pragma once

#include "core/FileOps/FileTemplate.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

namespace ondravell {

// Makes new files from templates and chooses free names. The free-name rule is the one rule for
// everything the system creates or pastes into a folder: nothing is ever overwritten.
struct FileCreator {
    // The first of "stem", "stem 2", "stem 3", … (with "." and `ext` appended when `ext` is not empty)
    // that is not in `existing`. Names that are canonically equivalent Unicode spellings count as equal;
    // otherwise the comparison is exact and case-sensitive.
    static std::string uniqueName(std::string_view baseName, std::string_view ext,
                                  const std::set<std::string>& existing);

    // The names of all entries of a folder, hidden ones included; empty when it cannot be listed.
    static std::set<std::string> entryNames(const std::filesystem::path& directory);

    // A name that stays inside the folder it is joined to: not empty, no "/", no NUL, not "." or "..".
    static bool isPlainFileName(std::string_view name);

    // Writes a file from the template under a free name in `directory` and returns its location.
    // "{name}" becomes the new file's stem and "{date}" the given date text. Fails (with the error) when
    // the folder cannot be written, when the free name is not a plain file name (a stem holding "/"),
    // or when the folder's path holds a NUL; nothing is then left behind. A name another program takes
    // between the listing and the write gives way to the next free one.
    // Creates an entry at a path it is given, never replacing anything there (EEXIST when taken).
    using Maker = std::function<std::error_code(const std::filesystem::path& path, std::string_view name)>;
    // Makes an entry with `make` under the first free name for `baseName` and `ext` in `directory`; a
    // name another program takes between the listing and the creation gives way to the next free one.
    // Fails (with the error) when `make` fails otherwise, when the free name is not a plain file name or
    // when the folder's path holds a NUL.
    static std::optional<std::filesystem::path> createUnderFreeName(const std::filesystem::path& directory,
                                                                    std::string_view baseName,
                                                                    std::string_view ext, const Maker& make,
                                                                    std::error_code& error);

    // Makes a new folder under the first free name for `baseName` in `directory` and returns its
    // location; a name another program takes between the listing and the creation gives way to the next
    // free one. Fails (with the error) as `create` does.
    static std::optional<std::filesystem::path>
    createFolder(const std::filesystem::path& directory, std::string_view baseName, std::error_code& error);

    static std::optional<std::filesystem::path> create(const FileTemplate& fileTemplate,
                                                       const std::filesystem::path& directory,
                                                       std::string_view baseName, std::string_view date,
                                                       std::error_code& error);
};

} // namespace ondravell
