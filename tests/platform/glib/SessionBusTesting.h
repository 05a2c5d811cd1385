#pragma once

#include <functional>

typedef struct _GDBusConnection GDBusConnection;

namespace ondravell::test {

// True when `name` has an owner on the session bus.
bool nameHasOwner(const char* name);
// A connection of its own to the session bus, as another process's would be; the caller unrefs it.
GDBusConnection* newBusConnection();
// Runs the default main context until `done` holds, for at most `limitMs`; whether it held.
bool runMainContextUntil(const std::function<bool()>& done, int limitMs = 10000);
// Dispatches whatever the default main context has ready now.
void drainMainContext();

} // namespace ondravell::test
