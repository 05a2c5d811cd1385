#pragma once

#include <functional>

namespace ondravell::platform {

// One running instance of the application per session. The first launch claims the instance; a later
// launch asks that one to reopen and ends. A launch asks first and claims only once it is ready to
// answer everything that reaches the instance, since the claim is what other programs wait for.
class SingleInstance {
public:
    enum class Claim {
        primary,     // this process is the instance; `onReopen` runs for each later launch
        secondary,   // another process is the instance and was asked to reopen
        unavailable, // no session to coordinate through: run on without the guarantee
    };

    virtual ~SingleInstance() = default;

    // Asks a running instance to reopen. True when one answered: this launch should end.
    virtual bool reopenRunningInstance() = 0;
    // `onReopen` is called on the thread that owns the event loop. When another process claimed the
    // instance meanwhile, that one is asked to reopen and the answer is `secondary`.
    virtual Claim claim(std::function<void()> onReopen) = 0;
};

} // namespace ondravell::platform
