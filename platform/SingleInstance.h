#pragma once

#include <functional>

namespace ondravell::platform {

// One running instance of the application per session. The first launch claims the instance; a later
// launch asks that one to reopen and ends.
class SingleInstance {
public:
    enum class Claim {
        primary,     // this process is the instance; `onReopen` runs for each later launch
        secondary,   // another process is the instance and was asked to reopen
        unavailable, // no session to coordinate through: run on without the guarantee
    };

    virtual ~SingleInstance() = default;

    // `onReopen` is called on the thread that owns the event loop.
    virtual Claim claim(std::function<void()> onReopen) = 0;
};

} // namespace ondravell::platform
