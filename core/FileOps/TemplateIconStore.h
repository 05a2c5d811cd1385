#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace ondravell {

// The custom icons of the user's templates: one file each in "template-icons" beside the templates file,
// named by the template's `customIconFilename`. Those names come from files another machine or program
// may have written (an import, a sync file), so only a bare file name has a location here: a name with
// "/" or NUL, or "." or "..", is never written, read or removed.
struct TemplateIconStore {
    static constexpr std::string_view folderName = "template-icons";
    // The template editor refuses larger image files and stores icons at most this many pixels wide or high.
    static constexpr std::size_t maxUploadBytes = 2 * 1024 * 1024;
    static constexpr int normalizedMaxSide = 128;

    std::optional<std::filesystem::path> directory;

    // Creates nothing; without a container there is no folder.
    explicit TemplateIconStore(std::string_view appGroupID);

    // Where the icon of that name is (whether or not the file exists); nullopt for an empty or
    // non-bare name, or without a folder.
    std::optional<std::filesystem::path> iconURL(std::string_view filename) const;
    // Stores the bytes as given, replacing an icon of that name; creates the folder when needed. False
    // when nothing was written (a name that is not bare, no folder, a failed write).
    bool save(std::string_view data, std::string_view filename) const;
    void remove(std::string_view filename) const;
};

} // namespace ondravell
