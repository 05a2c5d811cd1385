#pragma once

#include "platform/KeySynthesizer.h"

#include <functional>
#include <vector>

namespace ondravell::platform {

// Records the shortcuts sent; `onSend` stands in for the focused program's answer. The keyboard reports
// keys held for the next `heldQueries` questions, then none.
class MemoryKeySynthesizer final : public KeySynthesizer {
public:
    bool send(Shortcut shortcut) override {
        if (!available)
            return false;
        sent.push_back(shortcut);
        if (onSend)
            onSend(shortcut);
        return true;
    }

    bool keysHeld() override {
        if (heldQueries <= 0)
            return false;
        --heldQueries;
        return true;
    }

    bool available = true;
    int heldQueries = 0;
    std::vector<Shortcut> sent;
    std::function<void(Shortcut)> onSend;
};

} // namespace ondravell::platform
