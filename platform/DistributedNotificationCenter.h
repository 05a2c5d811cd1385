#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ondravell::platform {

// Process-wide broadcast of named notifications without payload: the sender posts a name and every
// process observing that name is told. The name "K3WQ9ZD7TM.dev.ondravell.showToast" is the whole
// message; what goes with it travels in a file.
class DistributedNotificationCenter {
public:
    using Observer = std::function<void()>;
    using Token = std::uint64_t;

    virtual ~DistributedNotificationCenter() = default;

    // Delivers `name` to every observer of it, in every process. Never fails from the caller's side:
    // without a bus it does nothing.
    virtual void post(const std::string& name) = 0;
    // Calls `observer` for each post of `name`, on the thread that owns the event loop of the caller
    // (the main thread in the programs). Returns 0 when observing is impossible.
    virtual Token addObserver(const std::string& name, Observer observer) = 0;
    virtual void removeObserver(Token token) = 0;
};

} // namespace ondravell::platform
