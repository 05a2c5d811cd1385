#include "core/FileOps/FileMetadata.h"

#include "core/Support/PathRules.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace ondravell {

namespace {

std::chrono::system_clock::time_point instantOf(const struct statx_timestamp& stamp) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec)));
}

} // namespace

FileMetadata FileMetadata::read(const std::filesystem::path& url) {
    FileMetadata metadata;
    metadata.name = PathRules::lastPathComponent(url.native());
    struct statx info {};
    if (::statx(AT_FDCWD, url.c_str(), AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return metadata;
    metadata.isDirectory = (info.stx_mask & STATX_TYPE) && S_ISDIR(info.stx_mode);
    if (!metadata.isDirectory && (info.stx_mask & STATX_SIZE))
        metadata.sizeBytes = static_cast<std::int64_t>(info.stx_size);
    if (info.stx_mask & STATX_BTIME)
        metadata.created = instantOf(info.stx_btime);
    if (info.stx_mask & STATX_MTIME)
        metadata.modified = instantOf(info.stx_mtime);
    return metadata;
}

} // namespace ondravell
