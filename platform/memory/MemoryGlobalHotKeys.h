#pragma once

#include "platform/GlobalHotKeys.h"

#include <map>
#include <set>
#include <utility>

namespace ondravell::platform {

// Hot keys that tests press by hand. `holdElsewhere` marks a combination as taken by another program,
// so registering it is refused, as the X server refuses a grab another client holds.
class MemoryGlobalHotKeys final : public GlobalHotKeys {
public:
    using Combination = std::pair<std::uint32_t, std::uint32_t>; // key code, modifiers

    void setHandler(Handler handler) override { handler_ = std::move(handler); }
    std::optional<Reference> registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                            std::uint32_t id) override;
    void unregisterHotKey(Reference reference) override { registered_.erase(reference); }
    std::chrono::milliseconds keysHeldAfterPress() const override { return heldAfterPress; }

    void holdElsewhere(Combination combination) { heldElsewhere_.insert(combination); }
    // The ids registered now, by combination.
    std::map<Combination, std::uint32_t> registeredIDs() const;
    // Calls the handler when the combination is registered; false otherwise.
    bool press(Combination combination);

    // What keysHeldAfterPress answers.
    std::chrono::milliseconds heldAfterPress{0};

private:
    Handler handler_;
    std::set<Combination> heldElsewhere_;
    std::map<Reference, std::pair<Combination, std::uint32_t>> registered_;
    Reference nextReference_ = 1;
};

} // namespace ondravell::platform
