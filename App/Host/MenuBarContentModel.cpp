#include "App/Host/MenuBarContentModel.h"

#include "App/History/HistoryActions.h"

namespace ondravell {

void MenuBarContentModel::refresh() {
    extensionEnabled_ = isExtensionEnabled_ && isExtensionEnabled_();
    lastUndoable_ = history_.latestUndoable();
}

void MenuBarContentModel::undo() {
    if (lastUndoable_)
        history_.undo(*lastUndoable_);
    lastUndoable_ = history_.latestUndoable();
}

std::string MenuBarContentModel::undoDescription() const {
    if (!lastUndoable_)
        return {};
    return lastUndoable_->title() + " · " + lastUndoable_->detail();
}

} // namespace ondravell
