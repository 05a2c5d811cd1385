#include "platform/gtk/GioVolumeMonitor.h"

#include <gio/gio.h>

namespace ondravell::platform {

namespace {

void onMountsChanged(GVolumeMonitor*, GMount*, gpointer userData) {
    auto* handler = static_cast<VolumeMonitor::ChangeHandler*>(userData);
    if (!*handler)
        return;
    try {
        (*handler)();
    } catch (...) {
        // A handler's failure must not unwind through GLib's dispatch.
    }
}

} // namespace

GioVolumeMonitor::GioVolumeMonitor() : monitor_(g_volume_monitor_get()) {
    addedHandler_ = g_signal_connect(monitor_, "mount-added", G_CALLBACK(onMountsChanged), handler_.get());
    removedHandler_ =
        g_signal_connect(monitor_, "mount-removed", G_CALLBACK(onMountsChanged), handler_.get());
}

GioVolumeMonitor::~GioVolumeMonitor() {
    g_signal_handler_disconnect(monitor_, addedHandler_);
    g_signal_handler_disconnect(monitor_, removedHandler_);
    g_object_unref(monitor_);
}

std::vector<std::filesystem::path> GioVolumeMonitor::mountedVolumeURLs() const {
    std::vector<std::filesystem::path> roots;
    GList* mounts = g_volume_monitor_get_mounts(monitor_);
    for (GList* node = mounts; node; node = node->next) {
        GFile* root = g_mount_get_root(G_MOUNT(node->data));
        if (gchar* path = g_file_get_path(root)) {
            roots.emplace_back(path);
            g_free(path);
        }
        g_object_unref(root);
    }
    g_list_free_full(mounts, g_object_unref);
    return roots;
}

void GioVolumeMonitor::setChangeHandler(ChangeHandler handler) {
    *handler_ = std::move(handler);
}

} // namespace ondravell::platform
