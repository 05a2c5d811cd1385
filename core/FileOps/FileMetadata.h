#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace ondravell {

// The facts the copy-metadata action describes. On Linux `typeIdentifier` holds the MIME type
// ("text/plain"), which the caller looks up through the platform; pixel sizes come from the caller's
// image reader. Absent facts are left out of the description.
struct FileMetadata {
    std::string name;
    bool isDirectory = false;
    std::optional<std::int64_t> sizeBytes;
    std::optional<std::chrono::system_clock::time_point> created;
    std::optional<std::chrono::system_clock::time_point> modified;
    std::optional<std::string> typeIdentifier;
    std::optional<std::int64_t> pixelWidth;
    std::optional<std::int64_t> pixelHeight;

    bool operator==(const FileMetadata&) const = default;

    // What the file system knows of the item (links followed): its name, whether it is a folder, the size
    // of a file, its modification time and its creation time where the file system records one. When
    // the item cannot be examined, only the name is filled. Type and pixel size stay absent.
    static FileMetadata read(const std::filesystem::path& url);
};

} // namespace ondravell
