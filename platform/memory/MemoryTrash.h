#pragma once

#include "platform/Trash.h"

#include <mutex>
#include <set>
#include <vector>

namespace ondravell::platform {

// A trash for tests: remembers what it was asked to take and leaves the file system alone. Paths in
// `refused` cannot be trashed, those in `unsupported` lie where there is no trash.
class MemoryTrash final : public Trash {
public:
    std::set<std::filesystem::path> refused;
    std::set<std::filesystem::path> unsupported;

    Result moveToTrash(const std::filesystem::path& path) override {
        std::lock_guard lock(mutex_);
        if (refused.contains(path))
            return Result::failed;
        if (unsupported.contains(path))
            return Result::unsupported;
        trashed_.push_back(path);
        return Result::trashed;
    }

    std::vector<std::filesystem::path> trashed() const {
        std::lock_guard lock(mutex_);
        return trashed_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::filesystem::path> trashed_;
};

} // namespace ondravell::platform
