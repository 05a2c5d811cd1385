#pragma once

#include <nautilus-extension.h>

// Loads the built module the way Nautilus does (dlopen, then its entry points through a GTypeModule)
// and makes an object of the one type it lists. A new reference to that menu provider, or nullptr when
// GTK has no display or the module does not load.
NautilusMenuProvider* loadNautilusMenuProvider(const char* modulePath);
