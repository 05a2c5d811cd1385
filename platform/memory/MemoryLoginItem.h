#pragma once

#include "platform/LoginItem.h"

namespace ondravell::platform {

// A login item that counts its calls and can be told to refuse them.
class MemoryLoginItem final : public LoginItem {
public:
    bool enabled = false;
    bool refuses = false;
    int calls = 0;

    bool isEnabled() const override { return enabled; }
    bool setEnabled(bool value) override {
        ++calls;
        if (refuses)
            return false;
        enabled = value;
        return true;
    }
};

} // namespace ondravell::platform
