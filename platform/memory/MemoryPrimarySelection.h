#pragma once

#include "platform/PrimarySelection.h"

namespace ondravell::platform {

// A selection the test sets: `bytes` taken by its owner at `ownerSince`. Reads answer at once.
class MemoryPrimarySelection final : public PrimarySelection {
public:
    bool watch() override {
        watching = available;
        return available;
    }
    void stopWatching() override { watching = false; }
    void setChangeHandler(ChangeHandler handler) override { changed = std::move(handler); }
    // A new owner takes the selection with `text` at `at`, as the display would report it.
    void take(ServerTime at, std::optional<std::string> text) {
        ownerSince = at;
        bytes = std::move(text);
        if (watching && changed)
            changed(at);
    }
    void readSetSince(ServerTime since, BytesHandler handler) override {
        ++reads;
        bool fresh = watching && ownerSince && static_cast<std::int32_t>(*ownerSince - since) >= 0;
        handler(fresh ? bytes : std::nullopt);
    }

    bool available = true;
    bool watching = false;
    std::optional<ServerTime> ownerSince;
    std::optional<std::string> bytes;
    int reads = 0;
    ChangeHandler changed;
};

} // namespace ondravell::platform
