#pragma once

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "core/FileOps/PasteOutcome.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

class ToastQueue;

namespace platform {
class DistributedNotificationCenter;
} // namespace platform

// One copy or move of items into a folder, as the extension runs it off the file manager's thread:
// the paste itself, progress messages when there are enough items to wait for, the history entry and
// one closing toast. Transfers into a favourite folder and the paste from the clipboard differ only in
// the wording of a finished copy and in what happens right after the paste.
struct PasteJob {
    std::vector<std::filesystem::path> sources;
    std::filesystem::path destination;
    bool move = false;
    // The localisation key of the toast of a copy that went through, with "%lld" for the count.
    std::string_view copiedToastKey;
    // Runs on the worker after the paste and its history entry, before the toast.
    std::function<void(const PasteOutcome&)> afterPaste;
    // Asked for when the file manager quits: the paste ends after the item it is at, with what it did
    // recorded, rather than holding the quit until the last item.
    std::stop_token stop = {};

    // Fewer items finish too quickly for a progress display to help.
    static constexpr std::size_t minimumItemsForProgress = 3;
    // With many items, about this many progress messages are sent, not one per item.
    static constexpr std::size_t progressMessagesForManyItems = 20;

    struct Toast {
        std::string message;
        std::string_view symbol;
        friend bool operator==(const Toast&, const Toast&) = default;
    };

    static bool showsProgress(std::size_t itemCount) { return itemCount >= minimumItemsForProgress; }
    // Whether the progress callback for (completed, total) sends a message: every step-th item, the
    // step being total / 20 from 20 items on and 1 below, and always the last item.
    static bool reportsProgress(std::size_t completed, std::size_t total);
    // The one toast that tells the outcome: a rollback first, then failed items, then success.
    static Toast toastFor(const PasteOutcome& outcome, bool move, std::string_view copiedToastKey);

    // Runs the job on the calling thread, which must not be the file manager's: progress goes to
    // `center`, the closing toast to `toasts`.
    PasteOutcome run(platform::DistributedNotificationCenter& center, ToastQueue& toasts) const;
    // Queues the job on the extension's worker and returns at once; the extension's stop becomes the
    // job's.
    static void start(const FinderSyncExtension::Services& services, PasteJob job);
};

} // namespace ondravell
