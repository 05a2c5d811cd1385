#include "Extensions/FinderSync/Nautilus/NautilusModuleHost.h"

#include "Extensions/FinderSync/ContentActions.h"
#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/Nautilus/NautilusMenuAdapter.h"
#include "Extensions/FinderSync/Nautilus/NautilusSelectionPublisher.h"
#include "Extensions/FinderSync/Nautilus/OndravellMenuProvider.h"
#include "Extensions/FinderSync/OpenWithActions.h"
#include "Extensions/FinderSync/SelectionSnapshotController.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/glib/DBusNotificationCenter.h"
#include "platform/glib/GioAppLauncher.h"
#include "platform/glib/GioContentTypeReader.h"
#include "platform/gtk/GioVolumeMonitor.h"
#include "platform/glib/GlibOneShotTimers.h"
#include "platform/gtk/GlibTaskQueue.h"
#include "platform/gtk/GtkDesktopAppearance.h"
#include "platform/gtk/GtkPasteboard.h"
#include "platform/gtk/GtkPasteboardImageReader.h"
#include "platform/gtk/PixbufImageSizeReader.h"

#include <algorithm>
#include <gio/gio.h>
#include <stop_token>

namespace ondravell::nautilus {

// Declared in the order they are made; the queue goes before the services its queued work uses, and
// the extension before everything it was handed. The timers go after the queue: a worker it joins may
// still schedule one (a toast's next look), which the timers' end then drops unfired. The stop is asked
// for before any of them ends, so that the queue's end waits for no paste beyond its current item.
struct NautilusModuleHost::Services {
    std::stop_source stop;
    platform::DBusNotificationCenter notificationCenter;
    platform::GtkPasteboard pasteboard;
    platform::GtkDesktopAppearance appearance;
    platform::GioVolumeMonitor volumes;
    platform::GioAppLauncher launcher;
    platform::GioContentTypeReader contentTypes;
    platform::PixbufImageSizeReader imageSizes;
    platform::GtkPasteboardImageReader pasteboardImage;
    platform::GlibOneShotTimers timers;
    platform::GlibTaskQueue queue;
    SelectionSnapshotController controller;
    std::shared_ptr<FinderSyncExtension> extension;
    NautilusSelectionPublisher selectionPublisher;
    GFileMonitor* settingsMonitor = nullptr;
    unsigned long settingsHandler = 0;
};

namespace {

std::unique_ptr<NautilusModuleHost>& instance() {
    static std::unique_ptr<NautilusModuleHost> host;
    return host;
}

void onSettingsFileEvent(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent event, gpointer) {
    if (event == G_FILE_MONITOR_EVENT_ATTRIBUTE_CHANGED || event == G_FILE_MONITOR_EVENT_PRE_UNMOUNT)
        return;
    try {
        if (NautilusModuleHost* host = NautilusModuleHost::shared())
            host->itemsChanged();
    } catch (...) {
        // Nothing may unwind into GLib's dispatch.
    }
}

} // namespace

void NautilusModuleHost::start() {
    if (!instance())
        instance().reset(new NautilusModuleHost());
}

void NautilusModuleHost::stop() {
    instance().reset();
}

NautilusModuleHost* NautilusModuleHost::shared() {
    return instance().get();
}

NautilusModuleHost::NautilusModuleHost() : services_(std::make_unique<Services>()) {
    Services& s = *services_;
    s.extension = std::make_shared<FinderSyncExtension>(
        FinderSyncExtension::Services{s.controller, s.pasteboard, s.notificationCenter, s.appearance,
                                      s.volumes, s.queue, s.timers, nullptr, s.stop.get_token()});
    OpenWithActions::install(*s.extension, s.launcher);
    ContentActions::install(*s.extension, {s.contentTypes, s.imageSizes, s.pasteboardImage});
    // Every menu build asks for the settings (read again whenever the file changed); the watch only
    // tells Nautilus that menus it may have kept are stale. A folder that does not exist yet is
    // watched until it appears.
    if (std::optional<std::filesystem::path> settingsFile = SettingsService::settingsFileURL()) {
        GFile* file = g_file_new_for_path(settingsFile->c_str());
        s.settingsMonitor = g_file_monitor_file(file, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
        g_object_unref(file);
        if (s.settingsMonitor)
            s.settingsHandler =
                g_signal_connect(s.settingsMonitor, "changed", G_CALLBACK(onSettingsFileEvent), nullptr);
    }
}

NautilusModuleHost::~NautilusModuleHost() {
    services_->stop.request_stop();
    if (services_->settingsMonitor) {
        g_signal_handler_disconnect(services_->settingsMonitor, services_->settingsHandler);
        g_file_monitor_cancel(services_->settingsMonitor);
        g_object_unref(services_->settingsMonitor);
    }
}

GList* NautilusModuleHost::menuItems(MenuKind kind, std::vector<FinderSyncController::Item> items,
                                     std::optional<std::filesystem::path> targeted) {
    Services& s = *services_;
    if (items.empty() && !targeted)
        return nullptr;
    const std::filesystem::path& location = items.empty() ? *targeted : items.front().url;
    bool observed = std::all_of(items.begin(), items.end(),
                                [&](const auto& item) { return s.controller.isObserved(item.url); }) &&
                    s.controller.isObserved(location);
    if (!observed)
        return nullptr;
    s.controller.setSelection(std::move(items), std::move(targeted));
    auto context = std::make_shared<const MenuContext>(s.extension->currentContext());
    Menu menu = s.extension->menu(kind, *context);
    std::weak_ptr<FinderSyncExtension> extension = s.extension;
    const char* prefix =
        kind == MenuKind::contextualMenuForItems ? "Ondravell::file::" : "Ondravell::folder::";
    return makeNautilusMenuItems(menu, prefix, [extension, context](const MenuCommand& command) {
        if (std::shared_ptr<FinderSyncExtension> target = extension.lock())
            target->perform(command, *context);
    });
}

void NautilusModuleHost::selectionChanged(std::vector<std::string> uris) {
    services_->selectionPublisher.selectionChanged(std::move(uris));
}

void NautilusModuleHost::folderShown(std::string uri) {
    services_->selectionPublisher.folderShown(std::move(uri));
}

void NautilusModuleHost::addProvider(OndravellMenuProvider* provider) {
    providers_.push_back(provider);
}

void NautilusModuleHost::removeProvider(OndravellMenuProvider* provider) {
    std::erase(providers_, provider);
}

void NautilusModuleHost::itemsChanged() {
    for (OndravellMenuProvider* provider : providers_)
        ondravell_menu_provider_emit_items_updated(provider);
}

} // namespace ondravell::nautilus
