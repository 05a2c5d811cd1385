#pragma once

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/SelectionSnapshotController.h"
#include "bench/BenchContainer.h"
#include "platform/glib/GlibOneShotTimers.h"
#include "platform/gtk/GlibTaskQueue.h"
#include "platform/memory/FixedDesktopAppearance.h"
#include "platform/memory/MemoryNotificationCenter.h"
#include "platform/memory/MemoryPasteboard.h"
#include "platform/memory/MemoryVolumeMonitor.h"

namespace ondravell::bench {

// The file manager's module with its platform services held in memory, its worker pool real and its
// main-thread work on this thread's GLib main context, in a shared folder of its own.
struct BenchExtension {
    BenchContainer container;
    SelectionSnapshotController controller;
    platform::MemoryPasteboard pasteboard;
    platform::MemoryNotificationCenter notificationCenter;
    platform::FixedDesktopAppearance appearance;
    platform::MemoryVolumeMonitor volumes;
    platform::GlibOneShotTimers timers;
    platform::GlibTaskQueue queue;
    FinderSyncExtension extension{
        {controller, pasteboard, notificationCenter, appearance, volumes, queue, timers}};
};

} // namespace ondravell::bench
