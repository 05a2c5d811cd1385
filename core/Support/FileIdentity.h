#pragma once

#include <cstdint>

namespace ondravell {

// Tells one version of a file from another: a file replaced by an atomic write, or written again, has
// another inode, modification time or size even where its path stays the same.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t size = 0;

    bool operator==(const FileIdentity&) const = default;
};

} // namespace ondravell
