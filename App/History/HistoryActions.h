#pragma once

#include "core/FileOps/FileOperation.h"
#include "core/FileOps/OperationHistory.h"

#include <functional>
#include <optional>
#include <string>

namespace ondravell {

// The application's side of the shared operation history: the newest entry that can still be undone,
// and undoing one entry with its toast. The history file is read afresh at every call, since the
// extension appends to it at any time. Main thread only.
class HistoryActions {
public:
    // Reverses a recorded operation on disk; true when every item is back in its undone state.
    using Undo = std::function<bool(const FileOperation&)>;
    using Toast = std::function<void(const std::string& message, const std::string& symbol)>;

    HistoryActions(OperationHistory history, Undo undo, Toast toast)
        : history_(std::move(history)), undo_(std::move(undo)), toast_(std::move(toast)) {}

    const OperationHistory& history() const { return history_; }

    // The newest entry that is no delete and not undone yet.
    std::optional<FileOperation> latestUndoable() const;
    // Undoes the entry unless it is a delete or undone already (then nothing happens), stores it with
    // `undone` set to the outcome and reports the outcome in a toast. An entry that left the history
    // meanwhile is still undone on disk; the history stays as it is.
    void undo(const FileOperation& operation) const;

private:
    OperationHistory history_;
    Undo undo_;
    Toast toast_;
};

} // namespace ondravell
