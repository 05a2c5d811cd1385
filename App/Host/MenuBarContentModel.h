#pragma once

#include "core/FileOps/FileOperation.h"

#include <functional>
#include <optional>
#include <string>

namespace ondravell {

class HistoryActions;

// What the tray item's popup shows, decided without a toolkit: whether the file manager's extension is
// enabled and the newest operation that can be undone. Both are read afresh each time the popup opens
// (`refresh`), and the undo entry again after an undo.
class MenuBarContentModel {
public:
    MenuBarContentModel(const HistoryActions& history, std::function<bool()> isExtensionEnabled)
        : history_(history), isExtensionEnabled_(std::move(isExtensionEnabled)) {}

    void refresh();
    // Undoes the entry shown; once done, shows the next undoable one, if any, and calls `changed`.
    void undo(std::function<void()> changed = {});

    bool extensionEnabled() const { return extensionEnabled_; }
    const std::optional<FileOperation>& lastUndoable() const { return lastUndoable_; }
    // The undo row's second line: the entry's title, " · " and its detail; empty without an entry.
    std::string undoDescription() const;

private:
    const HistoryActions& history_;
    std::function<bool()> isExtensionEnabled_;
    bool extensionEnabled_ = false;
    std::optional<FileOperation> lastUndoable_;
};

} // namespace ondravell
