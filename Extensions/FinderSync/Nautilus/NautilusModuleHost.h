#pragma once

#include "Extensions/FinderSync/FinderSyncController.h"
#include "Extensions/FinderSync/MenuKind.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _GList GList;
typedef struct _GTypeModule GTypeModule;
typedef struct _OndravellMenuProvider OndravellMenuProvider;

namespace ondravell::nautilus {

// The module's composition root inside Nautilus: it picks the platform services (the display's
// clipboard, the session bus, GIO's volumes, the GLib main loop), owns the extension, watches the
// settings file and tells every menu provider when its items went stale. Made when Nautilus loads
// the module and kept until Nautilus shuts the module down; used on Nautilus's main thread only.
class NautilusModuleHost {
public:
    static void start();
    static void stop();
    // nullptr before start() and after stop().
    static NautilusModuleHost* shared();

    ~NautilusModuleHost();
    NautilusModuleHost(const NautilusModuleHost&) = delete;
    NautilusModuleHost& operator=(const NautilusModuleHost&) = delete;

    // The Nautilus items for a selection (`targeted` empty) or a folder clicked into (`items` empty),
    // each bound to the selection as it was when the menu was built. nullptr for no items.
    GList* menuItems(MenuKind kind, std::vector<FinderSyncController::Item> items,
                     std::optional<std::filesystem::path> targeted);

    // What Nautilus told the menu provider about the active window, published for the hot keys.
    void selectionChanged(std::vector<std::string> uris);
    void folderShown(std::string uri);

    void addProvider(OndravellMenuProvider* provider);
    void removeProvider(OndravellMenuProvider* provider);
    // Asks Nautilus to fetch every provider's items again.
    void itemsChanged();

private:
    struct Services;
    NautilusModuleHost();

    std::unique_ptr<Services> services_;
    std::vector<OndravellMenuProvider*> providers_;
};

} // namespace ondravell::nautilus
