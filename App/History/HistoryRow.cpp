#include "App/History/HistoryRow.h"

#include "core/FileOps/LocalDateText.h"

namespace ondravell {

std::string_view HistoryRow::symbolFor(FileOperation::Kind kind) {
    using Kind = FileOperation::Kind;
    switch (kind) {
    case Kind::move:
        return "arrowshape.turn.up.right";
    case Kind::copy:
        return "doc.on.doc";
    case Kind::newFile:
        return "doc.badge.plus";
    case Kind::clipboardToFile:
        return "arrow.down.doc";
    case Kind::delete_:
        return "trash";
    case Kind::symlink:
        return "link";
    }
    return "doc";
}

HistoryRow::Tint HistoryRow::tintFor(FileOperation::Kind kind) {
    using Kind = FileOperation::Kind;
    switch (kind) {
    case Kind::move:
        return Tint::orange;
    case Kind::copy:
        return Tint::blue;
    case Kind::newFile:
        return Tint::green;
    case Kind::clipboardToFile:
        return Tint::purple;
    case Kind::delete_:
        return Tint::red;
    case Kind::symlink:
        return Tint::teal;
    }
    return Tint::blue;
}

HistoryRow HistoryRow::make(const FileOperation& operation) {
    HistoryRow row;
    row.id = operation.id;
    row.symbol = symbolFor(operation.kind);
    row.tint = tintFor(operation.kind);
    row.title = operation.title();
    row.detail = operation.detail() + " · " + LocalDateText::monthDayTime(operation.timestamp);
    if (operation.undone)
        row.status = Status::undone;
    else if (operation.kind == FileOperation::Kind::delete_)
        row.status = Status::notUndoable;
    return row;
}

std::vector<HistoryRow> HistoryRow::make(const std::vector<FileOperation>& operations) {
    std::vector<HistoryRow> rows;
    rows.reserve(operations.size());
    for (const FileOperation& operation : operations)
        rows.push_back(make(operation));
    return rows;
}

} // namespace ondravell
