#include "core/Support/FileIdentity.h"

#include <sys/stat.h>

namespace ondravell {

std::optional<FileIdentity> FileIdentity::of(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return of(info);
}

FileIdentity FileIdentity::of(const struct stat& info) {
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                        static_cast<std::int64_t>(info.st_size),
                        static_cast<std::int64_t>(info.st_mtim.tv_sec),
                        static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

} // namespace ondravell
