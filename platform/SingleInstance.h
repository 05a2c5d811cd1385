#pragma once

#include "platform/ServiceRequest.h"

#include <functional>
#include <optional>

namespace ondravell::platform {

// One running instance of the application per session. The first launch claims the instance; a later
// launch asks that one to reopen, or to carry out the file action it was started for, and ends. A launch asks
// first and claims only once it is ready to answer everything that reaches the instance, since the claim is
// what other programs wait for.
class SingleInstance {
public:
    // What the instance does for later launches, called on the thread that owns the event loop.
    struct Handlers {
        std::function<void()> reopen;
        std::function<void(ServiceRequest)> service;
    };

    enum class Claim {
        primary,     // this process is the instance; the handlers run for each later launch
        secondary,   // another process is the instance and was asked to reopen or to serve the request
        unavailable, // no session to coordinate through: run on without the guarantee
    };

    virtual ~SingleInstance() = default;

    // Asks a running instance to reopen. True when one answered: this launch should end.
    virtual bool reopenRunningInstance() = 0;
    // Hands a file action to a running instance. True when one answered: this launch should end.
    virtual bool forwardToRunningInstance(const ServiceRequest& request) = 0;
    // When another process claimed the instance meanwhile, that one is asked to reopen (or to serve
    // `request`) and the answer is `secondary`.
    virtual Claim claim(Handlers handlers, const std::optional<ServiceRequest>& request = std::nullopt) = 0;
};

} // namespace ondravell::platform
