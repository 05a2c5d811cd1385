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

void HistoryActions::undo(const FileOperation& operation, Task done) const {
    if (!operation.isUndoable() || !running_->insert(operation.id).second)
        return;
    auto work = [operation, history = history_, undo = undo_, toast = toast_, toMain = threads_.toMain,
                 running = running_, done = std::move(done)] {
        UndoResult result = undo ? undo(operation) : UndoResult::incomplete;
        FileOperation stored = operation;
        stored.undone = result == UndoResult::undone;
        history.update(stored);
        auto report = [operation, result, toast, running, done] {
            running->erase(operation.id);
            if (toast) {
                switch (result) {
                case UndoResult::undone:
                    toast("已撤销：" + operation.title(), undoneSymbol);
                    break;
                case UndoResult::trashUnsupported:
                    toast("撤销失败：此位置不支持回收站，文件已保留", failedSymbol);
                    break;
                case UndoResult::incomplete:
                    toast("撤销失败", failedSymbol);
                    break;
                }
            }
            if (done)
                done();
        };
        if (toMain)
            toMain(std::move(report));
        else
            report();
    };
    if (threads_.startWorker)
        threads_.startWorker(std::move(work));
    else
        work();
}

} // namespace ondravell
