#include "Extensions/FinderSync/Nautilus/OndravellMenuProvider.h"

#include "Extensions/FinderSync/Nautilus/NautilusModuleHost.h"

#include <nautilus-extension.h>
#include <optional>

struct _OndravellMenuProvider {
    GObject parent_instance;
};

namespace {

using ondravell::FinderSyncController;
using ondravell::MenuKind;
using ondravell::nautilus::NautilusModuleHost;

// Only files with a local path get items: the trash, recent files, search results' folder and
// network locations have none, and nothing the extension does can work on them.
std::optional<std::filesystem::path> localPath(NautilusFileInfo* info) {
    gchar* scheme = nautilus_file_info_get_uri_scheme(info);
    bool isFile = scheme && g_strcmp0(scheme, "file") == 0;
    g_free(scheme);
    if (!isFile)
        return std::nullopt;
    GFile* location = nautilus_file_info_get_location(info);
    if (!location)
        return std::nullopt;
    std::optional<std::filesystem::path> path;
    if (gchar* text = g_file_get_path(location)) {
        path = std::filesystem::path(text);
        g_free(text);
    }
    g_object_unref(location);
    return path;
}

std::string uriOf(NautilusFileInfo* info) {
    gchar* uri = nautilus_file_info_get_uri(info);
    std::string result = uri ? uri : "";
    g_free(uri);
    return result;
}

GList* getFileItems(NautilusMenuProvider*, GList* files) {
    try {
        NautilusModuleHost* host = NautilusModuleHost::shared();
        if (!host)
            return nullptr;
        // Nautilus asks at every change of the selection, whether or not a menu opens.
        std::vector<std::string> uris;
        for (GList* node = files; node; node = node->next)
            uris.push_back(uriOf(NAUTILUS_FILE_INFO(node->data)));
        host->selectionChanged(std::move(uris));
        // Nautilus asks with an empty selection too when the background is clicked; the background
        // menu serves that click.
        if (!files)
            return nullptr;
        std::vector<FinderSyncController::Item> items;
        for (GList* node = files; node; node = node->next) {
            auto* info = NAUTILUS_FILE_INFO(node->data);
            std::optional<std::filesystem::path> path = localPath(info);
            if (!path)
                return nullptr;
            // Nautilus knows the type already (symbolic links count as their target); asking it
            // touches no disk.
            items.push_back({std::move(*path), nautilus_file_info_is_directory(info) != FALSE});
        }
        return host->menuItems(MenuKind::contextualMenuForItems, std::move(items), std::nullopt);
    } catch (...) {
        return nullptr;
    }
}

GList* getBackgroundItems(NautilusMenuProvider*, NautilusFileInfo* currentFolder) {
    try {
        NautilusModuleHost* host = NautilusModuleHost::shared();
        if (!host || !currentFolder)
            return nullptr;
        host->folderShown(uriOf(currentFolder));
        std::optional<std::filesystem::path> folder = localPath(currentFolder);
        if (!folder)
            return nullptr;
        return host->menuItems(MenuKind::contextualMenuForContainer, {}, std::move(*folder));
    } catch (...) {
        return nullptr;
    }
}

void menuProviderInterfaceInit(NautilusMenuProviderInterface* iface) {
    iface->get_file_items = getFileItems;
    iface->get_background_items = getBackgroundItems;
}

} // namespace

G_DEFINE_DYNAMIC_TYPE_EXTENDED(OndravellMenuProvider, ondravell_menu_provider, G_TYPE_OBJECT,
                               G_TYPE_FLAG_FINAL,
                               G_IMPLEMENT_INTERFACE_DYNAMIC(NAUTILUS_TYPE_MENU_PROVIDER,
                                                             menuProviderInterfaceInit))

static void ondravell_menu_provider_init(OndravellMenuProvider* self) {
    try {
        if (NautilusModuleHost* host = NautilusModuleHost::shared())
            host->addProvider(self);
    } catch (...) {
        // A provider the host does not know only misses the news that the settings changed.
    }
}

static void ondravell_menu_provider_finalize(GObject* object) {
    if (NautilusModuleHost* host = NautilusModuleHost::shared())
        host->removeProvider(ONDRAVELL_MENU_PROVIDER(object));
    G_OBJECT_CLASS(ondravell_menu_provider_parent_class)->finalize(object);
}

static void ondravell_menu_provider_class_init(OndravellMenuProviderClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = ondravell_menu_provider_finalize;
}

static void ondravell_menu_provider_class_finalize(OndravellMenuProviderClass*) {}

void ondravell_menu_provider_register(GTypeModule* module) {
    ondravell_menu_provider_register_type(module);
}

void ondravell_menu_provider_emit_items_updated(OndravellMenuProvider* provider) {
    nautilus_menu_provider_emit_items_updated_signal(NAUTILUS_MENU_PROVIDER(provider));
}
