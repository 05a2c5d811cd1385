#pragma once

#include "platform/VolumeMonitor.h"

#include <memory>

typedef struct _GVolumeMonitor GVolumeMonitor;

namespace ondravell::platform {

// The mounts GIO's volume monitor knows (local disks, removable media, disk images). Make and use it on
// the thread of the GLib main loop: the monitor's signals arrive there.
class GioVolumeMonitor final : public VolumeMonitor {
public:
    GioVolumeMonitor();
    ~GioVolumeMonitor() override;
    GioVolumeMonitor(const GioVolumeMonitor&) = delete;
    GioVolumeMonitor& operator=(const GioVolumeMonitor&) = delete;

    std::vector<std::filesystem::path> mountedVolumeURLs() const override;
    void setChangeHandler(ChangeHandler handler) override;

private:
    GVolumeMonitor* monitor_ = nullptr;
    std::unique_ptr<ChangeHandler> handler_ = std::make_unique<ChangeHandler>();
    unsigned long addedHandler_ = 0;
    unsigned long removedHandler_ = 0;
};

} // namespace ondravell::platform
