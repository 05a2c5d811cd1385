#pragma once

#include "core/FileOps/FileOperation.h"

#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// What one line of the history page shows for a recorded operation, decided without a toolkit.
struct HistoryRow {
    enum class Tint { orange, blue, green, purple, red, teal };
    // What stands at the end of the line: a note, or the undo button.
    enum class Status { undone, notUndoable, undoButton };

    std::string id;
    std::string_view symbol;
    Tint tint = Tint::blue;
    std::string title;
    // The item's name, " · " and the time as "MM-dd HH:mm" in the local zone.
    std::string detail;
    Status status = Status::undoButton;

    bool operator==(const HistoryRow&) const = default;

    static std::string_view symbolFor(FileOperation::Kind kind);
    static Tint tintFor(FileOperation::Kind kind);
    static HistoryRow make(const FileOperation& operation);
    // One row per entry, in the given order (the history's newest first).
    static std::vector<HistoryRow> make(const std::vector<FileOperation>& operations);
};

} // namespace ondravell
