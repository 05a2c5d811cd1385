#include "App/Host/MenuBarContentModel.h"

#include "App/History/HistoryActions.h"

namespace ondravell {

void MenuBarContentModel::refresh() {
    extensionEnabled_ = isExtensionEnabled_ && isExtensionEnabled_();
    lastUndoable_ = history_.latestUndoable();
}

void MenuBarContentModel::undo(std::function<void()> changed) {
    if (!lastUndoable_)
        return;
    history_.undo(*lastUndoable_, [this, changed = std::move(changed)] {
        lastUndoable_ = history_.latestUndoable();
        if (changed)
            changed();
    });
}

std::string MenuBarContentModel::undoDescription() const {
    if (!lastUndoable_)
        return {};
    return lastUndoable_->title() + " · " + lastUndoable_->detail();
}

} // namespace ondravell
