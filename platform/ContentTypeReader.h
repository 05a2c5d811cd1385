#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ondravell::platform {

// The desktop's idea of what a file holds, as a MIME type ("text/plain", "inode/directory"). Reads at
// most a regular file's first bytes, never waits on a FIFO or device; may be called from any thread.
class ContentTypeReader {
public:
    virtual ~ContentTypeReader() = default;
    // nullopt when the file cannot be examined.
    virtual std::optional<std::string> contentType(const std::filesystem::path& path) const = 0;
};

} // namespace ondravell::platform
