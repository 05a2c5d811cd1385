#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

struct stat;

namespace ondravell {

// What tells one state of a file from another without reading it: an atomic save renames a new inode
// over the name, and a write in place changes the size or the modification time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;

    // The regular file at `path` as it stands; nullopt when there is none or it cannot be looked at.
    static std::optional<FileIdentity> of(const std::filesystem::path& path);
    // The file that `info` describes.
    static FileIdentity of(const struct stat& info);
};

} // namespace ondravell
