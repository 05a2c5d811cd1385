#include "core/Support/AtomicFile.h"

#include "core/Support/RestrictWarning.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace ondravell {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

unsigned currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        constexpr std::string_view prefix = "Umask:";
        if (line.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string_view rest(line);
        rest.remove_prefix(prefix.size());
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
            rest.remove_prefix(1);
        unsigned mask = 022;
        auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), mask, 8);
        (void)ptr;
        return ec == std::errc() ? mask : 022u;
    }
    return 022;
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, bool flushToDisk,
                         FileIdentity* written) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    // A false overlap warning of GCC 12 (see RestrictWarning.h).
    ONDRAVELL_IGNORE_RESTRICT_BEGIN
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    ONDRAVELL_IGNORE_RESTRICT_END
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, 0666 & ~currentUmask()) == 0 &&
              (!flushToDisk || ::fsync(fd) == 0);
    // The rename keeps the inode, size and times; nothing writes to the file after this.
    struct stat info {};
    ok = ok && (!written || ::fstat(fd, &info) == 0);
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(pattern.c_str(), target.c_str()) == 0) {
        if (written)
            *written = FileIdentity::of(info);
        return true;
    }
    ::unlink(pattern.c_str());
    return false;
}

std::error_code writeNewFile(const std::filesystem::path& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::error_code(errno, std::generic_category());
    std::error_code error;
    if (!writeAll(fd, bytes))
        error = std::error_code(errno, std::generic_category());
    if (::close(fd) != 0 && !error)
        error = std::error_code(errno, std::generic_category());
    if (error)
        ::unlink(path.c_str());
    return error;
}

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                                           FileIdentity* identity) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    if (identity)
        *identity = FileIdentity::of(info);
    const std::size_t wanted = maxBytes + 1;
    std::string out;
    out.reserve(std::min<std::size_t>(wanted, info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0));
    char buffer[65536];
    while (out.size() < wanted) {
        std::size_t chunk = std::min(sizeof buffer, wanted - out.size());
        ssize_t got = ::read(fd, buffer, chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return out;
}

} // namespace ondravell
