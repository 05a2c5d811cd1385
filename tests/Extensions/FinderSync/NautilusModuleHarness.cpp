#include "tests/Extensions/FinderSync/NautilusModuleHarness.h"

#include <dlfcn.h>
#include <gtk/gtk.h>

namespace {

void (*moduleInitialize)(GTypeModule*) = nullptr;

} // namespace

// Nautilus's loader calls the module's initialize from its GTypeModule's load; so does this one.
G_DECLARE_FINAL_TYPE(LoaderTypeModule, loader_type_module, LOADER, TYPE_MODULE, GTypeModule)
struct _LoaderTypeModule {
    GTypeModule parent_instance;
};
G_DEFINE_TYPE(LoaderTypeModule, loader_type_module, G_TYPE_TYPE_MODULE)

static gboolean loaderLoad(GTypeModule* module) {
    moduleInitialize(module);
    return TRUE;
}
static void loaderUnload(GTypeModule*) {}
static void loader_type_module_init(LoaderTypeModule*) {}
static void loader_type_module_class_init(LoaderTypeModuleClass* klass) {
    G_TYPE_MODULE_CLASS(klass)->load = loaderLoad;
    G_TYPE_MODULE_CLASS(klass)->unload = loaderUnload;
}

NautilusMenuProvider* loadNautilusMenuProvider(const char* modulePath) {
    if (!gtk_init_check())
        return nullptr;
    void* handle = dlopen(modulePath, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    moduleInitialize = reinterpret_cast<void (*)(GTypeModule*)>(dlsym(handle, "nautilus_module_initialize"));
    auto listTypes =
        reinterpret_cast<void (*)(const GType**, int*)>(dlsym(handle, "nautilus_module_list_types"));
    if (!moduleInitialize || !listTypes)
        return nullptr;
    // Kept for the life of the process, as Nautilus keeps its modules.
    g_type_module_use(G_TYPE_MODULE(g_object_new(loader_type_module_get_type(), nullptr)));
    const GType* types = nullptr;
    int count = 0;
    listTypes(&types, &count);
    if (count != 1)
        return nullptr;
    return NAUTILUS_MENU_PROVIDER(g_object_new(types[0], nullptr));
}
