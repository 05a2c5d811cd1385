#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace ondravell::platform {

// Tells when a folder's entries change (a file created, removed, renamed or replaced in it) or, for a
// file, when it is written or replaced. Callbacks run on the thread of the caller's event loop.
class FolderWatcher {
public:
    using Token = std::uint64_t;

    virtual ~FolderWatcher() = default;

    // nullopt when the path cannot be watched (it does not exist, or the system refuses).
    virtual std::optional<Token> watch(const std::filesystem::path& path, std::function<void()> onChange) = 0;
    // After this the callback never runs; unknown tokens are ignored.
    virtual void unwatch(Token token) = 0;
};

} // namespace ondravell::platform
