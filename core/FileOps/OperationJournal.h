#pragma once

#include "core/FileOps/FileOperation.h"
#include "core/FileOps/FileOperator.h"
#include "core/FileOps/OperationHistory.h"
#include "core/FileOps/PasteOutcome.h"

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
// A journal is the file ".operation-journal-<id>" holding one line per item (or per name tried), each
// line a one-item operation in the history's form with the keys "device" and "inode" added, and a line
// {"partial": path} before each hidden partial item the paste makes (a folder's copy), which the
// recovery clears away. Its writer holds an exclusive flock on it, which ends with the writing process
// however it ends.
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

    // Appends the entries of the journals that no running process writes any more (once each: an entry
    // whose id the history holds already is not added again), removes those journals once the history
    // holds their entries, and clears away what killed history writers left in the folder. For the
    // start of the program and every paste.
    static void
    tidyHistoryFolder(const OperationHistory& history,
                      std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
};

} // namespace ondravell
