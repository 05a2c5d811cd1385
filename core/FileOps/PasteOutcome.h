#pragma once

#include "core/FileOps/FileOperation.h"

#include <cstddef>
#include <optional>

namespace ondravell {

// What a paste did. `operation` is the record to append to the history; it is absent when nothing was
// copied or moved, and after a failed move was rolled back.
struct PasteOutcome {
    std::optional<FileOperation> operation;
    // Items copied or moved.
    std::size_t succeeded = 0;
    // Items that failed; after a rollback, all sources.
    std::size_t failed = 0;
    // A move failed and the items moved before it were put back.
    bool rolledBack = false;
    // The paste was told to stop before its last item; the items after `succeeded + failed` are
    // untouched.
    bool stopped = false;

    bool operator==(const PasteOutcome&) const = default;
};

} // namespace ondravell
