#include "App/Services/TransferHandler.h"

#include "core/FileOps/OperationJournal.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/Support/Uuid.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace ondravell {

namespace {

// More than two sources show a progress display; smaller transfers only the closing toast.
constexpr std::size_t progressFromSources = 3;

struct Toast {
    std::string message;
    std::string symbol;
};

Toast toastFor(const PasteOutcome& outcome, bool move) {
    if (outcome.rolledBack)
        return {ODLocalized("移动失败，已回滚（未丢失任何文件）"), "exclamationmark.triangle.fill"};
    if (outcome.failed > 0)
        return {ODLocalized("完成 %lld 个，%lld 个失败", outcome.succeeded, outcome.failed),
                "exclamationmark.triangle.fill"};
    if (move)
        return {ODLocalized("已移动 %lld 个文件", outcome.succeeded), "arrowshape.turn.up.right"};
    return {ODLocalized("已复制 %lld 个文件到目标", outcome.succeeded), "doc.on.doc"};
}

// A bar this wide shows no finer steps than this.
constexpr std::size_t stepsShown = 100;

// The newest progress step not yet shown. The worker hands the main thread at most one step at a time,
// so a paste of thousands of items cannot flood the event loop; each step shows the count of the moment.
struct LatestStep {
    std::atomic<std::size_t> completed{0};
    std::atomic<bool> queued{false};
};

} // namespace

void TransferHandler::run(const TransferRequest& request, const Services& services) {
    if (request.paths.empty() || !services.chooseFolder)
        return;
    const bool move = request.move;
    std::optional<std::filesystem::path> destination = services.chooseFolder(move);
    if (!destination || destination->empty())
        return;

    const ProgressPayload progress{makeUUIDString(), ODLocalized(move ? "正在移动…" : "正在复制…"), 0,
                                   static_cast<std::int64_t>(request.paths.size()), false};
    const bool showsProgress = request.paths.size() >= progressFromSources;
    // The paths become file-system paths on the worker: for thousands of sources that parsing alone
    // would hold the main thread for tens of milliseconds.
    services.startWorker(
        [services, paths = request.paths, destination = *destination, move, progress, showsProgress] {
            const std::vector<std::filesystem::path> sources(paths.begin(), paths.end());
            auto latest = std::make_shared<LatestStep>();
            FileOperator::Progress onProgress;
            if (showsProgress) {
                // The step runs on the main thread after this worker may have ended: it holds its own copies.
                onProgress = [toMain = services.toMain, show = services.showProgress, latest, progress,
                              every = std::max<std::size_t>(1, sources.size() / stepsShown),
                              lastSent = std::size_t{0}](std::size_t completed, std::size_t total) mutable {
                    latest->completed = completed;
                    if (completed - lastSent < every && completed != total)
                        return;
                    lastSent = completed;
                    if (latest->queued.exchange(true))
                        return;
                    toMain([show, latest, step = progress]() mutable {
                        latest->queued = false;
                        step.completed = static_cast<std::int64_t>(latest->completed.load());
                        show(step);
                    });
                };
            }
            PasteOutcome outcome =
                OperationJournal::paste(services.history, sources, destination, move,
                                        std::chrono::system_clock::now(), makeUUIDString(), onProgress);
            services.toMain([services, outcome, move, progress, showsProgress] {
                if (showsProgress) {
                    ProgressPayload done = progress;
                    done.completed = done.total;
                    done.done = true;
                    services.showProgress(done);
                }
                Toast toast = toastFor(outcome, move);
                services.showToast(toast.message, toast.symbol);
            });
        });
}

} // namespace ondravell
