// The toolbar's actions as the user feels them, run through the action runner with its worker queue
// (on a display):
// - BM_ClickToPanel: an action's click to its result panel painted on screen, for a JSON text of
//   1 MB and a QR code of 1,000 characters (goal: under 50 ms each).
// - BM_LongestMainThreadSlice/<action>: each of the fifteen actions on a selection of 20,000
//   graphemes; the reported time is the longest single stretch the main thread spent on one event
//   (or on the click itself) from the click until the result is on screen, as the mean over the
//   iterations, and `worst_ms` the longest of all (goal: no stretch over 100 ms). Search, AI, links
//   and the dictionary stop at the runner's hand-over to the desktop, which happens in other
//   processes. The translator answers every translation with a text of 5 MB at once.
// - BM_LongestMainThreadSlice/<action>/<text>: the same for the dictionary and search on a selection
//   of 5 MB, and case conversion of 20,000 graphemes of emoji and of right-to-left text (goal: no
//   stretch over 50 ms).
// Before the benchmarks the runner readies its views as the program does once it has settled after
// start-up. First the program prints, for the JSON text, the 5 MB dictionary, search and translation
// and the emoji and right-to-left case conversions, the first click of a fresh process (as a user meets it):
// its time to the panel and its longest main-thread stretch.
#include "App/Selection/SelectionActionRunner.h"
#include "App/Selection/SelectionResultWindow.h"
#include "platform/Translator.h"
#include "platform/memory/MemoryPasteboard.h"
#include "platform/qt/QtTaskQueue.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using namespace ondravell;
using Kind = SelectionAction::Kind;

// Times each event the main thread delivers; nested deliveries count as part of the outer one.
class TimingApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --depth_;
            return handled;
        }
        QElapsedTimer clock;
        clock.start();
        const bool handled = QApplication::notify(receiver, event);
        --depth_;
        longestNs = std::max(longestNs, clock.nsecsElapsed());
        return handled;
    }

    qint64 longestNs = 0;

private:
    int depth_ = 0;
};

// The runner's queue, counting the tasks not yet done so that a benchmark knows when a result is in.
class CountingQueue final : public platform::TaskQueue {
public:
    void runInBackground(Task task) override { queue_.runInBackground(counted(std::move(task))); }
    void runInSequence(Task task) override { queue_.runInSequence(counted(std::move(task))); }
    void runOnMain(Task task) override { queue_.runOnMain(counted(std::move(task))); }
    bool idle() const { return pending_ == 0; }

private:
    Task counted(Task task) {
        ++pending_;
        return [this, task = std::move(task)] {
            task();
            --pending_;
        };
    }

    std::atomic<int> pending_ = 0;
    platform::QtTaskQueue queue_;
};

// Answers every translation with a text of 5 MB, delivered through the queue as the program's
// translator delivers its answer from its worker.
class LongTranslator final : public platform::Translator {
public:
    explicit LongTranslator(platform::TaskQueue& queue) : queue_(queue) {}
    bool isAvailable() override { return true; }
    Ticket translate(const std::string&, Handler handler) override {
        queue_.runOnMain([handler = std::move(handler)] { handler(translation()); });
        return ++last_;
    }
    void cancel(Ticket) override {}

    static const std::string& translation();

private:
    platform::TaskQueue& queue_;
    Ticket last_ = 0;
};

struct Bed {
    platform::MemoryPasteboard pasteboard;
    CountingQueue queue;
    LongTranslator translator{queue};
    SelectionActionRunner runner{[this] {
        SelectionActionRunner::Services services;
        services.pasteboard = &pasteboard;
        services.queue = &queue;
        services.translator = &translator;
        return services;
    }()};

    // Runs `kind` on `text` until its result is painted; returns the whole time and, through
    // `longestNs`, the longest main-thread stretch.
    qint64 runToScreen(Kind kind, const std::string& text, qint64* longestNs = nullptr) {
        auto* app = static_cast<TimingApplication*>(QCoreApplication::instance());
        QElapsedTimer clock;
        clock.start();
        runner.run(kind, text, QPointF(400, 200));
        app->longestNs = clock.nsecsElapsed();
        while (!queue.idle()) {
            QCoreApplication::processEvents();
            QThread::usleep(100);
        }
        if (QWidget* panel = SelectionResultWindow::shared().panel(); panel && panel->isVisible())
            panel->repaint();
        QCoreApplication::processEvents();
        const qint64 total = clock.nsecsElapsed();
        if (longestNs)
            *longestNs = app->longestNs;
        SelectionResultWindow::shared().close();
        QCoreApplication::processEvents();
        return total;
    }
};

Bed& bed() {
    static Bed instance;
    return instance;
}

std::string jsonOfOneMegabyte() {
    std::string text = "[";
    for (int i = 0; text.size() < 1'000'000; ++i)
        text += (i ? "," : "") + std::string(R"({"id":)") + std::to_string(i) +
                R"(,"name":"item","tags":["a","b"]})";
    return text + "]";
}

// Text of `graphemes` characters taken from `piece` over and over; each of its characters is one code
// point, so that graphemes and code points agree.
std::string repeatedTo(std::string_view piece, std::size_t graphemes) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < piece.size();) {
        std::size_t end = i + 1;
        while (end < piece.size() && (static_cast<unsigned char>(piece[end]) & 0xC0) == 0x80)
            ++end;
        characters.push_back(piece.substr(i, end - i));
        i = end;
    }
    std::string text;
    for (std::size_t i = 0; i < graphemes; ++i)
        text += characters[i % characters.size()];
    return text;
}

constexpr std::size_t selectionGraphemes = 20000;

// The selection each action gets: mixed prose for most, a JSON text and an expression of 10,000
// operators where the action wants one.
std::string selectionFor(Kind kind) {
    if (kind == Kind::jsonTool) {
        std::string text = "[";
        while (text.size() < selectionGraphemes - 40)
            text += std::string(text.size() > 1 ? "," : "") + R"({"name":"item","n":12,"ok":true})";
        return text + "]";
    }
    if (kind == Kind::calculate)
        return repeatedTo("1+", selectionGraphemes - 1) + "1";
    return repeatedTo("Hello wörld snake_case 你好，世界 繁體中文 https://example.org 42\n",
                      selectionGraphemes);
}

void BM_ClickToPanel(benchmark::State& state, Kind kind, const std::string& text) {
    for (auto _ : state)
        state.SetIterationTime(double(bed().runToScreen(kind, text)) / 1e9);
}

void BM_LongestMainThreadSlice(benchmark::State& state, Kind kind, const std::string& text) {
    qint64 worst = 0;
    for (auto _ : state) {
        qint64 longest = 0;
        bed().runToScreen(kind, text, &longest);
        worst = std::max(worst, longest);
        state.SetIterationTime(double(longest) / 1e9);
    }
    state.counters["worst_ms"] = double(worst) / 1e6;
}

// The first click of a process of its own, forked before Qt starts, once the views are readied.
void printFirstClick(const char* name, Kind kind, const std::string& text, int argc, char** argv) {
    if (pid_t child = ::fork(); child == 0) {
        TimingApplication app(argc, argv);
        bed().runner.prepareViews();
        qint64 longest = 0;
        const qint64 total = bed().runToScreen(kind, text, &longest);
        std::printf(
            "first click of a process, %s: %.1f ms to the panel, longest main-thread stretch %.1f ms\n", name,
            double(total) / 1e6, double(longest) / 1e6);
        std::fflush(stdout);
        ::_exit(0);
    } else if (child > 0) {
        ::waitpid(child, nullptr, 0);
    }
}

std::string fiveMegabytes() {
    std::string text;
    while (text.size() < 5'000'000)
        text += "Hello wörld 你好，世界 ";
    return text;
}

const std::string& LongTranslator::translation() {
    static const std::string text = fiveMegabytes();
    return text;
}

const std::string emoji = repeatedTo("😀🎉👍 ok🚀 ", selectionGraphemes);
const std::string rightToLeft = repeatedTo("مرحبا بالعالم שלום עולם hello_world ", selectionGraphemes);

} // namespace

int main(int argc, char** argv) {
    printFirstClick("JSON of 1 MB", Kind::jsonTool, jsonOfOneMegabyte(), argc, argv);
    printFirstClick("dictionary of 5 MB", Kind::dictionary, fiveMegabytes(), argc, argv);
    printFirstClick("search of 5 MB", Kind::search, fiveMegabytes(), argc, argv);
    printFirstClick("translation of 5 MB", Kind::translate, selectionFor(Kind::translate), argc, argv);
    printFirstClick("case conversion of emoji", Kind::caseConvert, emoji, argc, argv);
    printFirstClick("case conversion of right-to-left text", Kind::caseConvert, rightToLeft, argc, argv);
    TimingApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bed().runner.prepareViews();

    benchmark::RegisterBenchmark("BM_ClickToPanel/JSONOfOneMegabyte", BM_ClickToPanel, Kind::jsonTool,
                                 jsonOfOneMegabyte())
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ClickToPanel/QRCodeOfThousandCharacters", BM_ClickToPanel, Kind::qrCode,
                                 std::string(1000, 'x'))
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (const Kind kind : SelectionAction::allKinds)
        benchmark::RegisterBenchmark(
            ("BM_LongestMainThreadSlice/" + std::string(SelectionAction::rawValue(kind))).c_str(),
            BM_LongestMainThreadSlice, kind, selectionFor(kind))
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    const std::pair<std::string, std::pair<Kind, std::string>> large[] = {
        {"dictionary/FiveMegabytes", {Kind::dictionary, fiveMegabytes()}},
        {"search/FiveMegabytes", {Kind::search, fiveMegabytes()}},
        {"caseConvert/Emoji", {Kind::caseConvert, emoji}},
        {"caseConvert/RightToLeft", {Kind::caseConvert, rightToLeft}},
    };
    for (const auto& [name, run] : large)
        benchmark::RegisterBenchmark(("BM_LongestMainThreadSlice/" + name).c_str(), BM_LongestMainThreadSlice,
                                     run.first, run.second)
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
