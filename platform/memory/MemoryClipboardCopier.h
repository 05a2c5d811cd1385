#pragma once

#include "platform/ClipboardCopier.h"

namespace ondravell::platform {

// Answers every copy at once with `nextCopy`.
class MemoryClipboardCopier final : public ClipboardCopier {
public:
    void copyFromFocusedWindow(Handler handler) override {
        ++calls;
        handler(nextCopy);
    }

    std::optional<ClipboardCopy> nextCopy;
    int calls = 0;
};

} // namespace ondravell::platform
