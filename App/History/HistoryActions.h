#pragma once

#include "core/FileOps/FileOperation.h"
#include "core/FileOps/OperationHistory.h"
#include "core/FileOps/UndoResult.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace ondravell {

// The application's side of the shared operation history: the newest entry that can still be undone,
// and undoing one entry with its toast. The history file is read afresh at every call, since the
// extension appends to it at any time. Called on the main thread; the file work of an undo runs on a
// worker, as transfers do, so a large move put back never holds up the tray.
class HistoryActions {
public:
    // Reverses a recorded operation on disk.
    using Undo = std::function<UndoResult(const FileOperation&)>;
    using Toast = std::function<void(const std::string& message, const std::string& symbol)>;
    using Task = std::function<void()>;
    // Where the undo runs and how its outcome comes back; without them everything runs at once, on the
    // calling thread. What one worker hands to the main thread runs there in the order handed over.
    struct Threads {
        std::function<void(Task)> startWorker;
        std::function<void(Task)> toMain;
    };

    HistoryActions(OperationHistory history, Undo undo, Toast toast, Threads threads = {})
        : history_(std::move(history)),
          undo_(std::move(undo)),
          toast_(std::move(toast)),
          threads_(std::move(threads)),
          running_(std::make_shared<std::set<std::string>>()) {}

    const OperationHistory& history() const { return history_; }

    // The newest entry that is no delete and not undone yet.
    std::optional<FileOperation> latestUndoable() const;
    // Undoes the entry unless it is a delete, undone already or being undone (then nothing happens),
    // stores it with `undone` set to the outcome and then reports the outcome in a toast, and last calls
    // `done` on the main thread. An entry that left the history meanwhile is still undone on disk; the
    // history stays as it is.
    void undo(const FileOperation& operation, Task done = {}) const;

private:
    OperationHistory history_;
    Undo undo_;
    Toast toast_;
    Threads threads_;
    // The ids of the entries being undone, touched on the main thread only.
    std::shared_ptr<std::set<std::string>> running_;
};

} // namespace ondravell
