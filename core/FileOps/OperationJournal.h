#pragma once

#include "core/FileOps/FileOperation.h"
#include "core/FileOps/FileOperator.h"
#include "core/FileOps/OperationHistory.h"
#include "core/FileOps/PasteOutcome.h"
#include "core/FileOps/UndoResult.h"
#include "platform/Trash.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// A paste whose history entry outlives the process that runs it. Each item is added to a journal beside
// the history right before the step that makes its place final (the rename or link that gives it its
// name in the destination), together with the identity the item will have there, and the whole entry
// goes into the history when the paste ends. A paste cut short (the program killed) leaves its journal,
// which the next tidying of the history's folder turns into the entry of what it did, settled from what
// is on disk: an item is in it when its destination holds that very item, so that it can still be
// undone, and one killed before it landed is not. A journal goes only once the history holds its entry:
// one whose entry the history could not take (a full disk) stays for the next tidying to write.
//
// A move across file systems (of a paste's item, or of one put back by its rollback or by an undo, which
// keeps a journal of its own) copies its source, gives the copy its name, then renames the source to a
// hidden partial beside it and removes it there; the journal tells each step first. One killed between
// its copy taking the name and its source going is ended by the tidying: the source goes only while it
// stands as it did when the copy began (device, inode, size and modification time) and, for a folder,
// while every entry below it matches its copy's (FileTree::sameTree); changed since, both stay, and the
// entry "<id>-copy" records the item as a copy, so that the undo of every entry finishes.
//
// A journal is the file ".operation-journal-<id>" holding one line per item (or per name tried), each
// line a one-item operation in the history's form with the keys "device" and "inode" added; a line
// {"partial": path} before each hidden partial item the paste makes (a folder's copy), which the
// recovery clears away; and for a move across file systems, by its source: {"source", "device", "inode",
// "size", "modified"} before the copy, {"source", "landing", "device", "inode"} before an item put back
// takes its old name, and {"source", "partial"} before the source is renamed to that partial. Its writer
// holds an exclusive flock on it, which ends with the writing process however it ends.
struct OperationJournal {
    static constexpr std::string_view filePrefix = ".operation-journal-";

    OperationJournal() = delete;

    // FileOperator::paste, recorded in `history` as above (not at all when the history has no file),
    // after tidying the history's folder. `steps` are told after the journal (tests stop the process
    // there).
    static PasteOutcome paste(const OperationHistory& history,
                              const std::vector<std::filesystem::path>& sources,
                              const std::filesystem::path& destination, bool move,
                              std::chrono::system_clock::time_point now, const std::string& id,
                              const FileOperator::Progress& onProgress = {},
                              const FileOperator::Steps& steps = {});

    // FileOperator::undo, its moves across file systems recorded in a journal of their own as above (after
    // tidying the history's folder), so that a kill leaves every item whole in one place or both and the
    // undo can be run again to its end.
    static UndoResult undo(const OperationHistory& history, const FileOperation& operation,
                           platform::Trash& trash, const FileOperator::Steps& steps = {});

    // Appends the entries of the journals that no running process writes any more (once each: an entry
    // whose id the history holds already is not added again), removes those journals once the history
    // holds their entries, and clears away what killed history writers left in the folder. For the
    // start of the program and every paste.
    static void
    tidyHistoryFolder(const OperationHistory& history,
                      std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
};

} // namespace ondravell
