#pragma once

#include <chrono>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// One file touched by an operation. `from` is absent for what was created, `to` for what was deleted.
struct FileOperationItem {
    std::optional<std::string> from;
    std::optional<std::string> to;

    bool operator==(const FileOperationItem&) const = default;
};

// The record of one file operation as the history keeps it. Both programs append these to the shared
// history after the operation has run; undo reads them back.
struct FileOperation {
    // Stored as the raw values "move", "copy", "newFile", "clipboardToFile", "delete", "symlink".
    // `delete_` carries a trailing underscore only because `delete` is a C++ keyword.
    enum class Kind { move, copy, newFile, clipboardToFile, delete_, symlink };

    std::string id;
    Kind kind = Kind::move;
    std::chrono::system_clock::time_point timestamp;
    std::vector<FileOperationItem> items;
    bool undone = false;

    bool operator==(const FileOperation&) const = default;

    // A delete cannot be undone; anything else can until it has been.
    bool isUndoable() const { return kind != Kind::delete_ && !undone; }
    // The localised line of the history list ("复制 3 个项目").
    std::string title() const;
    // The name of the first item: its destination, or its source when it has none; empty otherwise.
    std::string detail() const;

    static std::string_view rawValue(Kind kind);
    static std::optional<Kind> kindFromRawValue(std::string_view rawValue);

    // The history file's form: {"id", "kind", "timestamp" (seconds since 2001-01-01 UTC), "items",
    // "undone"}, all required; an item's "from" and "to" are left out when absent.
    nlohmann::json toJSON() const;
    static std::optional<FileOperation> fromJSON(const nlohmann::json& value);

    // The "timestamp" form of a date and back; nullopt for a number no date of the clock can hold.
    static double secondsSinceReferenceDate(std::chrono::system_clock::time_point date);
    static std::optional<std::chrono::system_clock::time_point>
    dateFromSecondsSinceReferenceDate(double interval);
};

} // namespace ondravell
