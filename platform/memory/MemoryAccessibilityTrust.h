#pragma once

#include "platform/AccessibilityTrust.h"

namespace ondravell::platform {

// A fixed answer, counting how often it was asked.
class MemoryAccessibilityTrust final : public AccessibilityTrust {
public:
    explicit MemoryAccessibilityTrust(bool trusted) : trusted_(trusted) {}
    bool isProcessTrusted() override {
        ++queries_;
        return trusted_;
    }
    std::optional<std::string> missingServices() override { return missing; }
    int queryCount() const { return queries_; }

    // What missingServices answers.
    std::optional<std::string> missing;

private:
    bool trusted_;
    int queries_ = 0;
};

} // namespace ondravell::platform
