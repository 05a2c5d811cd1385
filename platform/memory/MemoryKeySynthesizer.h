#pragma once

#include "platform/KeySynthesizer.h"

#include <functional>
#include <vector>

namespace ondravell::platform {

// Records the shortcuts sent; `onSend` stands in for the focused program's answer.
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

    bool available = true;
    std::vector<Shortcut> sent;
    std::function<void(Shortcut)> onSend;
};

} // namespace ondravell::platform
