#pragma once

#include <filesystem>
#include <functional>
#include <vector>

namespace ondravell::platform {

// The mounted volumes of the desktop session (disks, partitions, disk images), as local folders.
class VolumeMonitor {
public:
    using ChangeHandler = std::function<void()>;

    virtual ~VolumeMonitor() = default;
    // The root folders of the mounted volumes that have a local path, in no particular order.
    virtual std::vector<std::filesystem::path> mountedVolumeURLs() const = 0;
    // Called after every mount and unmount, on the thread that runs the event loop. Replaces any
    // handler set before.
    virtual void setChangeHandler(ChangeHandler handler) = 0;
};

} // namespace ondravell::platform
