// The selection toolbar's settings page coming on screen in the settings window, with the toolbar on so
// every section shows: fifteen action rows with their glyphs, the trigger, the style, the engines and
// the excluded applications. Run it on the display of $DISPLAY (under Xvfb). Goal: under 50 ms.
//
// Before the benchmark proper it prints the process's first showing of the page twice, each in a fresh
// process: as the user meets it (the program warmed the pages up at idle after start-up, then the user
// opens the settings and picks the page), and cold (no warm-up), which shows what the warm-up saves.
#include "App/MainWindow/SettingsPages.h"
#include "App/MainWindow/SettingsWindow.h"
#include "bench/App/WindowTiming.h"
#include "bench/BenchContainer.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/memory/MemoryAccessibilityTrust.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryInstalledApplications.h"
#include "platform/memory/MemoryUserDefaults.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondravell;
using bench::secondsSince;
using Section = SettingsNavigation::Section;

namespace {

platform::MemoryUserDefaults defaults;
platform::MemoryFileDialog dialog;
platform::MemoryInstalledApplications applications;
platform::MemoryAccessibilityTrust trust(true);

// A toolbar in use: on, a hot key, some actions reordered, the user's own engines and excluded
// applications.
void writeSettings() {
    OndravellSettings settings;
    settings.selectionEnabled = true;
    settings.selectionHotKey = HotKeySpec{0x28, 0x1100, "⌃⌘K"};
    settings.selectionActionIDs = {"copyText", "translate", "search", "askAI", "jsonTool", "qrCode"};
    for (int i = 0; i < 3; ++i) {
        settings.selectionCustomEngines.push_back(
            {"E" + std::to_string(i), "引擎 " + std::to_string(i), "https://example.org/s?q={q}", false});
        settings.selectionCustomAIEngines.push_back(
            {"A" + std::to_string(i), "AI " + std::to_string(i), "https://ai.example.org/?q={q}", false});
        applications.install("app" + std::to_string(i), "应用 " + std::to_string(i));
        settings.selectionAppBlacklist.push_back("app" + std::to_string(i));
    }
    SettingsService().save(settings);
}

SettingsPageServices services() {
    SettingsPageServices result{defaults, dialog, applications};
    result.trust = &trust;
    return result;
}

// From the about page to the selection page, drawn; the seconds it took.
double switchToSelection(SettingsNavigation& navigation, SettingsWindow& window) {
    bench::secondsToSwitch(navigation, window, Section::about);
    return bench::secondsToSwitch(navigation, window, Section::selection);
}

void BM_SelectionPageShow(benchmark::State& state) {
    SettingsNavigation navigation;
    SettingsWindow window(navigation, services());
    if (!bench::showSettingsWindow(window))
        state.SkipWithError("the window never showed");
    for (auto _ : state)
        state.SetIterationTime(switchToSelection(navigation, window));
}
BENCHMARK(BM_SelectionPageShow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// The process's first showing of the page: the settings window opened and drawn, then the page
// picked. With `warmedUp`, the program's idle warm-up ran first, from the event loop as the program runs it.
void printFirstShowing(bool warmedUp) {
    if (warmedUp) {
        QTimer::singleShot(0, [] {
            auto start = std::chrono::steady_clock::now();
            warmUpSettingsPages();
            std::printf("idle warm-up: %.1f ms\n", secondsSince(start) * 1000);
        });
        QApplication::processEvents();
    }
    SettingsNavigation navigation;
    SettingsWindow window(navigation, services());
    if (bench::showSettingsWindow(window))
        std::printf("first selection page of the process, %s: %.1f ms\n",
                    warmedUp ? "after the idle warm-up" : "cold",
                    switchToSelection(navigation, window) * 1000);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    bench::BenchContainer container;
    writeSettings();
    // The cold figure comes from a process of its own, forked before Qt starts.
    if (pid_t child = ::fork(); child == 0) {
        QApplication app(argc, argv);
        printFirstShowing(false);
        ::_exit(0);
    } else if (child > 0) {
        ::waitpid(child, nullptr, 0);
    }
    QApplication app(argc, argv);
    printFirstShowing(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
