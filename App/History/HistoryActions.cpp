#include "App/History/HistoryActions.h"

namespace {
constexpr const char* undoneSymbol = "arrow.uturn.backward";
constexpr const char* failedSymbol = "exclamationmark.triangle.fill";
} // namespace

namespace ondravell {

std::optional<FileOperation> HistoryActions::latestUndoable() const {
    for (FileOperation& entry : history_.load())
        if (entry.isUndoable())
            return std::move(entry);
    return std::nullopt;
}

void HistoryActions::undo(const FileOperation& operation) const {
    if (!operation.isUndoable())
        return;
    bool ok = undo_ && undo_(operation);
    FileOperation stored = operation;
    stored.undone = ok;
    history_.update(stored);
    if (!toast_)
        return;
    if (ok) {
        toast_("已撤销：" + operation.title(), undoneSymbol);
    } else {
        toast_("撤销失败", failedSymbol);
    }
}

} // namespace ondravell
