// The three functions Nautilus looks up when it loads the module; nothing else is exported.
#include "Extensions/FinderSync/Nautilus/NautilusModuleHost.h"
#include "Extensions/FinderSync/Nautilus/OndravellMenuProvider.h"

#include <gio/gio.h>
#include <glib-object.h>

// The header declares the entry points without C linkage of their own.
extern "C" {
#include <nautilus-extension.h>
}

namespace {

GType providerTypes[1];

} // namespace

extern "C" {

__attribute__((visibility("default"))) void nautilus_module_initialize(GTypeModule* module) {
    try {
        ondravell_menu_provider_register(module);
        providerTypes[0] = ONDRAVELL_TYPE_MENU_PROVIDER;
        ondravell::nautilus::NautilusModuleHost::start();
    } catch (...) {
        // Without the host every provider call answers with no items.
    }
}

__attribute__((visibility("default"))) void nautilus_module_list_types(const GType** types, int* numTypes) {
    *types = providerTypes;
    *numTypes = providerTypes[0] ? 1 : 0;
}

__attribute__((visibility("default"))) void nautilus_module_shutdown(void) {
    try {
        ondravell::nautilus::NautilusModuleHost::stop();
    } catch (...) {
        // Nautilus is going away; there is nothing left to report to.
    }
}

} // extern "C"
