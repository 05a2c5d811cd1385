#include "Extensions/FinderSync/PasteJob.h"

#include "Extensions/FinderSync/ToastQueue.h"
#include "core/FileOps/OperationHistory.h"
#include "core/FileOps/OperationJournal.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/SharedConfig/ToastPayload.h"
#include "core/Support/Uuid.h"
#include "platform/TaskQueue.h"

#include <chrono>
#include <cstdint>

namespace ondravell {

bool PasteJob::reportsProgress(std::size_t completed, std::size_t total) {
    std::size_t step = total >= progressMessagesForManyItems ? total / progressMessagesForManyItems : 1;
    return completed == total || completed % step == 0;
}

PasteJob::Toast PasteJob::toastFor(const PasteOutcome& outcome, bool move, std::string_view copiedToastKey) {
    if (outcome.rolledBack)
        return {ODLocalized("移动失败，已回滚（未丢失任何文件）"), ToastPayload::warningSymbol};
    if (outcome.failed > 0)
        return {ODLocalized("完成 %lld 个，%lld 个失败", outcome.succeeded, outcome.failed),
                ToastPayload::warningSymbol};
    if (move)
        return {ODLocalized("已移动 %lld 个文件", outcome.succeeded), ToastPayload::successSymbol};
    return {ODLocalized(copiedToastKey, outcome.succeeded), ToastPayload::successSymbol};
}

PasteOutcome PasteJob::run(platform::DistributedNotificationCenter& center, ToastQueue& toasts) const {
    const std::string progressID = makeUUIDString();
    const std::string title = ODLocalized(move ? "正在移动…" : "正在复制…");
    const bool progress = showsProgress(sources.size());
    auto onProgress = [&](std::size_t completed, std::size_t total) {
        if (progress && reportsProgress(completed, total))
            OndravellIPC::postProgress(center, progressID, title, static_cast<std::int64_t>(completed),
                                       static_cast<std::int64_t>(total), false);
    };
    FileOperator::Steps steps;
    steps.stop = [this] { return stop.stop_requested(); };
    const OperationHistory history = OperationHistory::forAppGroup(OndravellIPC::appGroupID);
    PasteOutcome outcome =
        OperationJournal::paste(history, sources, destination, move, std::chrono::system_clock::now(),
                                makeUUIDString(), onProgress, steps);
    if (progress) {
        auto count = static_cast<std::int64_t>(sources.size());
        OndravellIPC::postProgress(center, progressID, title, count, count, true);
    }
    if (afterPaste)
        afterPaste(outcome);
    Toast toast = toastFor(outcome, move, copiedToastKey);
    toasts.post(toast.message, std::string(toast.symbol));
    return outcome;
}

void PasteJob::start(const FinderSyncExtension::Services& services, PasteJob job) {
    job.stop = services.stop;
    services.queue.runInBackground([&center = services.notificationCenter, toasts = services.toasts,
                                    job = std::move(job)] { job.run(center, *toasts); });
}

} // namespace ondravell
