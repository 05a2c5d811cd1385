#pragma once

#include "platform/VolumeMonitor.h"

#include <utility>

namespace ondravell::platform {

// Volumes for tests: `mount` and `unmount` change the list and call the handler at once.
class MemoryVolumeMonitor final : public VolumeMonitor {
public:
    std::vector<std::filesystem::path> mountedVolumeURLs() const override { return volumes_; }
    void setChangeHandler(ChangeHandler handler) override { handler_ = std::move(handler); }

    void mount(const std::filesystem::path& root) {
        volumes_.push_back(root);
        notify();
    }
    void unmount(const std::filesystem::path& root) {
        std::erase(volumes_, root);
        notify();
    }

private:
    void notify() {
        if (handler_)
            handler_();
    }

    std::vector<std::filesystem::path> volumes_;
    ChangeHandler handler_;
};

} // namespace ondravell::platform
