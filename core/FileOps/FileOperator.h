#pragma once

#include "core/FileOps/FileOperation.h"
#include "core/FileOps/FileTree.h"
#include "core/FileOps/PasteOutcome.h"
#include "core/FileOps/UndoResult.h"
#include "platform/Trash.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ondravell {

// The one place where items are copied or moved into a folder, and where a recorded operation is
// undone. Every item gets a free name in the destination, so nothing is overwritten. The caller writes
// the history.
struct FileOperator {
    // Called with (items handled so far, number of sources), on the thread that runs the paste.
    using Progress = std::function<void(std::size_t, std::size_t)>;
    // Told of the steps of each item, on the thread that runs the paste: a journal records an item before
    // it can land, and tests stop the process between two steps.
    struct Steps {
        // Right before the step that gives the item its name in the destination for good (a rename or a
        // link), with the identity the item will have there; again for each name tried.
        std::function<void(const FileOperationItem&, const FileTree::Identity&)> landing;
        // Right after that step; a move across file systems has not removed its source yet.
        std::function<void(const FileOperationItem&)> landed;
        // Once the item is wholly done, before its progress call.
        std::function<void(const FileOperationItem&)> done;
        // Right before a hidden partial item is made beside the target (or, when a move is put back,
        // beside its old place).
        std::function<void(const std::filesystem::path&)> partial;
        // Right before a move across file systems (of an item, or of one put back) copies its source, with
        // the source as it is then.
        std::function<void(const std::filesystem::path& from, const FileTree::Version& source)> copying;
        // Right before an item that a move across file systems copied is renamed to a hidden partial beside
        // it, to be removed there.
        FileTree::Removing removing;
        // Right before an item put back (by a rollback or an undo) takes its old name `to` for good, with
        // the identity it will have there.
        std::function<void(const std::filesystem::path& from, const std::filesystem::path& to,
                           const FileTree::Identity& item)>
            puttingBack;
        // Asked before each item: true ends the paste there. What was done stays done (a move is not
        // put back) and makes the outcome; the items not reached are left untouched.
        std::function<bool()> stop;
    };

    // Copies or moves `sources` into `destination`, in order. A copy that fails is counted and the paste
    // goes on; a move that fails puts every earlier move of this paste back and stops.
    static PasteOutcome paste(const std::vector<std::filesystem::path>& sources,
                              const std::filesystem::path& destination, bool move,
                              std::chrono::system_clock::time_point now, const std::string& id,
                              const Progress& onProgress = {}, const Steps& steps = {});

    // Reverses a recorded operation as far as the file system allows. Moved items go back; copied, new
    // and clipboard files go to `trash`, never away for good (links, which hold no work, are removed);
    // an item that cannot be trashed stays in place. Items found undone already count as undone. Never
    // touches a protected path. Does not touch the history. `steps` are told of the moves back.
    static UndoResult undo(const FileOperation& operation, platform::Trash& trash, const Steps& steps = {});
};

} // namespace ondravell
