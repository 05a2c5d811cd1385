// The longest stall of the main thread while a transfer runs: 10,000 small files and one large file
// copied through the transfer handler, its worker and ordered queue, with the real progress display.
// A 1 ms timer on the main thread records the longest gap between its ticks, and how much of that gap
// the main thread spent running and how much waiting for a processor (from the scheduler's counters):
// on a busy machine the rest of a gap is time it was blocked.
// Usage (on a display): transfer-stall [scratch folder]; ONDRAVELL_BENCH_LARGE_MIB shrinks the large file
// (default 1024), ONDRAVELL_BENCH_SMALL_FILES the count of small ones (default 10000).
#include "App/Services/TransferHandler.h"
#include "App/Toast/ToastPresenter.h"
#include "platform/qt/QtTaskQueue.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

long environmentNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value ? std::atol(value) : fallback;
}

std::vector<std::string> makeSources(const fs::path& folder, long smallFiles, long largeMiB) {
    std::vector<std::string> sources;
    fs::create_directories(folder);
    for (long i = 0; i < smallFiles; ++i) {
        fs::path path = folder / ("small-" + std::to_string(i) + ".txt");
        std::ofstream(path) << "file " << i << '\n';
        sources.push_back(path.string());
    }
    fs::path large = folder / "large.bin";
    std::ofstream out(large, std::ios::binary);
    std::string chunk(1 << 20, 'x');
    for (long i = 0; i < largeMiB; ++i)
        out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    sources.push_back(large.string());
    return sources;
}

// Nanoseconds the calling thread has run and has waited to run, as the scheduler counts them.
struct SchedulerTimes {
    long long running = 0;
    long long waiting = 0;
};

SchedulerTimes schedulerTimes() {
    SchedulerTimes times;
    std::ifstream("/proc/thread-self/schedstat") >> times.running >> times.waiting;
    return times;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const fs::path scratch =
        argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "ondravell-transfer-stall";
    fs::remove_all(scratch);
    const std::vector<std::string> sources =
        makeSources(scratch / "from", environmentNumber("ONDRAVELL_BENCH_SMALL_FILES", 10000),
                    environmentNumber("ONDRAVELL_BENCH_LARGE_MIB", 1024));
    fs::create_directories(scratch / "to");

    platform::QtTaskQueue queue;
    QElapsedTimer clock, sinceTick;
    qint64 longestStall = 0, longestStep = 0, steps = 0;
    SchedulerTimes lastTick, inLongestStall;
    QTimer ticks;
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 gap = sinceTick.restart();
        const SchedulerTimes now = schedulerTimes();
        if (gap > longestStall) {
            longestStall = gap;
            inLongestStall = {now.running - lastTick.running, now.waiting - lastTick.waiting};
        }
        lastTick = now;
    });

    TransferHandler::Services services{
        [&](bool) { return std::optional<fs::path>(scratch / "to"); },
        [&](std::function<void()> work) { queue.runInBackground(std::move(work)); },
        [&](std::function<void()> work) { queue.runOnMain(std::move(work)); },
        OperationHistory(scratch / "history.json"),
        [&](const ProgressPayload& payload) {
            QElapsedTimer step;
            step.start();
            ToastPresenter::shared().showProgress(payload);
            longestStep = std::max(longestStep, step.elapsed());
            ++steps;
        },
        [&](const std::string& message, const std::string& symbol) {
            ToastPresenter::shared().show(message, symbol);
            ticks.stop();
            std::printf(
                "%s; %zu sources in %lld ms, longest main-thread stall %lld ms (running %.1f ms, "
                "waiting for a processor %.1f ms); %lld progress steps shown, the longest in %lld ms\n",
                message.c_str(), sources.size(), static_cast<long long>(clock.elapsed()),
                static_cast<long long>(longestStall), inLongestStall.running / 1e6,
                inLongestStall.waiting / 1e6, static_cast<long long>(steps),
                static_cast<long long>(longestStep));
            QTimer::singleShot(100, [] { QApplication::quit(); });
        },
    };
    // The panel is made at its first presentation, as it is at the first toast after launch: made here,
    // before the measure, it counts as what it is in the running program, a cost paid once. Its text is
    // Chinese like every text of the program: in the running program the folder dialog's Chinese button
    // has loaded the fonts for it before any transfer starts.
    ToastPresenter::shared().show("已复制 1 个文件到目标", "doc.on.doc");
    // Decoded from the extension's pending file before the handler runs, as in the running program.
    const TransferRequest request{sources, false};
    QTimer::singleShot(500, [&] {
        clock.start();
        sinceTick.start();
        ticks.start();
        lastTick = schedulerTimes();
        TransferHandler::run(request, services);
    });
    int status = app.exec();
    fs::remove_all(scratch);
    return status;
}
