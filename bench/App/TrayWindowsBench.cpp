// The two windows of the tray application that read the whole history when they open: the popup after
// a click on the tray icon and the history page of the settings window, each with a full history of 50
// entries. A run ends when the window has been laid out and painted. Run under a display (Xvfb):
//   xvfb-run -a build/main/bench/App/TrayWindowsBench
#include "App/History/HistoryActions.h"
#include "App/History/HistoryView.h"
#include "App/Host/MenuBarContent.h"
#include "App/Host/MenuBarItem.h"
#include "bench/BenchContainer.h"
#include "core/FileOps/OperationHistory.h"
#include "platform/memory/MemoryUserDefaults.h"

#include <QApplication>
#include <QWindow>
#include <benchmark/benchmark.h>

using namespace ondravell;

namespace {

struct FullHistory {
    bench::BenchContainer container;
    OperationHistory history{container.root / OperationHistory::fileName};
    HistoryActions actions{history, [](const FileOperation&) { return UndoResult::undone; },
                           [](const std::string&, const std::string&) {}};

    FullHistory() {
        constexpr FileOperation::Kind kinds[] = {FileOperation::Kind::copy, FileOperation::Kind::move,
                                                 FileOperation::Kind::newFile, FileOperation::Kind::delete_,
                                                 FileOperation::Kind::symlink};
        for (std::size_t i = 0; i < OperationHistory::maxEntries; ++i) {
            FileOperation op{
                "id-" + std::to_string(i), kinds[i % 5], std::chrono::system_clock::now(), {}, i % 7 == 3};
            for (int k = 0; k < 3; ++k)
                op.items.push_back({"/home/user/Documents/report " + std::to_string(k) + ".pdf",
                                    "/home/user/Desktop/report " + std::to_string(k) + ".pdf"});
            history.append(op);
        }
    }
};

// Runs the event loop until the window is on screen and everything queued, painting included, is done.
void settle(QWidget& window) {
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void popupAfterTrayClick(benchmark::State& state) {
    FullHistory full;
    platform::MemoryUserDefaults defaults;
    MenuBarItem item(defaults, full.actions, {{}, {}, {}, {}, [] { return true; }});
    for (auto _ : state) {
        item.showPopup();
        settle(item.popup());
        state.PauseTiming();
        item.popup().hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(popupAfterTrayClick)->Unit(benchmark::kMillisecond)->UseRealTime();

void historyPageFilled(benchmark::State& state) {
    FullHistory full;
    HistoryView view(full.actions);
    view.resize(640, 560);
    view.show();
    settle(view);
    for (auto _ : state) {
        view.reload();
        view.repaint();
        settle(view);
    }
}
BENCHMARK(historyPageFilled)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
