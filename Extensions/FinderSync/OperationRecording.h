#pragma once

#include "core/FileOps/FileOperation.h"

#include <vector>

namespace ondravell {

// How the extension's own file actions enter the shared history, so the application's undo sees them.
struct OperationRecording {
    // A new entry: a fresh id, the current time, not undone.
    static FileOperation make(FileOperation::Kind kind, std::vector<FileOperationItem> items);
    // Appends a new entry to the history of the app-group container; without a container it is dropped.
    // Takes a lock on a shared file, so it belongs on a worker thread.
    static void record(FileOperation::Kind kind, std::vector<FileOperationItem> items);
};

} // namespace ondravell
