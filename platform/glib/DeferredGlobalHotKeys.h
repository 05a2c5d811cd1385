#pragma once

#include "platform/GlobalHotKeys.h"

#include <map>
#include <memory>

namespace ondravell::platform {

// Hot keys whose implementation is chosen after start-up, and chosen again whenever the session
// changes which one serves (in a Wayland session: the Shell extension while it runs, else the desktop's
// custom shortcuts), so that start-up never waits for that answer and no restart is needed when it
// changes. Until the first `choose`, registrations are kept and accepted, and no press is delivered;
// each `choose` hands the handler and every registration still held to the chosen implementation (one
// it refuses then stays without effect, as a refused one would) before the one chosen before goes with
// its registrations. Main thread only.
class DeferredGlobalHotKeys final : public GlobalHotKeys {
public:
    // Takes `chosen`, in place of the implementation chosen before.
    void choose(std::unique_ptr<GlobalHotKeys> chosen);
    GlobalHotKeys* chosen() const { return chosen_.get(); }

    void setHandler(Handler handler) override;
    std::optional<Reference> registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                            std::uint32_t id) override;
    void unregisterHotKey(Reference reference) override;
    std::chrono::milliseconds keysHeldAfterPress() const override;

private:
    struct Registration {
        std::uint32_t keyCode = 0;
        std::uint32_t carbonModifiers = 0;
        std::uint32_t id = 0;
        // The chosen implementation's reference; none before the choice or when it refused.
        std::optional<Reference> chosen;
    };

    std::unique_ptr<GlobalHotKeys> chosen_;
    Handler handler_;
    std::map<Reference, Registration> registrations_;
    Reference nextReference_ = 1;
};

} // namespace ondravell::platform
