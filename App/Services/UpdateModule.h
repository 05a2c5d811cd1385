#pragma once

#include "App/Services/RemoteVersion.h"

#include <functional>
#include <optional>

// The update check's network half is a module of its own ("libondravell-update.so"), loaded when the
// first check starts: Qt's network library and what it brings along (Kerberos, proxy lookup, TLS)
// would otherwise load with the program and hold up its start. These are its entry points, resolved by
// name; both sides are built from one tree with one compiler, so C++ types may cross.
namespace ondravell::UpdateModule {

using Done = std::function<void(std::optional<RemoteVersion>)>;

// A fetcher of the update document with the default endpoints, or null.
using Create = void* (*)();
// Starts a fetch; `done` is taken over and called once on the event loop.
using Fetch = void (*)(void* fetcher, Done* done);
using Destroy = void (*)(void* fetcher);

inline constexpr const char* createName = "ondravell_update_fetcher_create";
inline constexpr const char* fetchName = "ondravell_update_fetcher_fetch";
inline constexpr const char* destroyName = "ondravell_update_fetcher_destroy";

} // namespace ondravell::UpdateModule
