#pragma once

#include <glib-object.h>

G_BEGIN_DECLS

// The GObject type Nautilus instantiates from the module: a NautilusMenuProvider that serves the
// context menu for selected files and for the folder clicked into.
#define ONDRAVELL_TYPE_MENU_PROVIDER (ondravell_menu_provider_get_type())
G_DECLARE_FINAL_TYPE(OndravellMenuProvider, ondravell_menu_provider, ONDRAVELL, MENU_PROVIDER, GObject)

// Registers the type with the module Nautilus loaded us through; once, before the first instance.
void ondravell_menu_provider_register(GTypeModule* module);

// Asks Nautilus to fetch the items of every provider again (the "items-updated" signal).
void ondravell_menu_provider_emit_items_updated(OndravellMenuProvider* provider);

G_END_DECLS
