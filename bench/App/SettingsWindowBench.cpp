// The settings window's first show and its page switches, on the display of $DISPLAY (run it under
// Xvfb). Goals: first show under 150 ms, a page switch under 30 ms; with 10,000 favourites and 10,000
// path templates in a hand-edited file, a first show and a switch back to their page under 1 s.
#include "App/MainWindow/SettingsWindow.h"
#include "bench/App/WindowTiming.h"
#include "bench/BenchContainer.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryInstalledApplications.h"
#include "platform/memory/MemoryUserDefaults.h"
#include "tests/App/MainWindow/LongListsSettings.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>

using namespace ondravell;
using bench::secondsSince;
using Section = SettingsNavigation::Section;

namespace {

platform::MemoryUserDefaults defaults;
platform::MemoryFileDialog dialog;
platform::MemoryInstalledApplications applications;

// Builds a window, shows it on the Finder page and waits until it is drawn; the seconds it took.
double showWindow() {
    SettingsNavigation navigation;
    auto start = std::chrono::steady_clock::now();
    SettingsWindow window(navigation, {defaults, dialog, applications});
    bool exposed = bench::showSettingsWindow(window);
    QApplication::processEvents();
    return exposed ? secondsSince(start) : -1;
}

// Every later window of the process (the first one, where fonts and styles warm up, is measured
// apart in main).
void BM_SettingsWindowFirstShow(benchmark::State& state) {
    for (auto _ : state) {
        double seconds = showWindow();
        if (seconds < 0)
            state.SkipWithError("the window never showed");
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_SettingsWindowFirstShow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Back and forth between the Finder page (which reloads the settings file and redraws its rows) and
// another page, each switch drawn.
void BM_SettingsPageSwitch(benchmark::State& state) {
    SettingsNavigation navigation;
    SettingsWindow window(navigation, {defaults, dialog, applications});
    if (!bench::showSettingsWindow(window))
        state.SkipWithError("the window never showed");
    bool toFinder = false;
    for (auto _ : state) {
        state.SetIterationTime(
            bench::secondsToSwitch(navigation, window, toFinder ? Section::finder : Section::templates));
        toFinder = !toFinder;
    }
}
BENCHMARK(BM_SettingsPageSwitch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

constexpr int manyEntries = 10000;

// A settings file written by hand with `manyEntries` entries in each list, or an empty one.
void storeManyEntries(bool many) {
    SettingsService().save(many ? test::settingsWithLongLists(manyEntries) : OndravellSettings());
}

void BM_SettingsWindowFirstShowWithManyEntries(benchmark::State& state) {
    storeManyEntries(true);
    for (auto _ : state) {
        double seconds = showWindow();
        if (seconds < 0)
            state.SkipWithError("the window never showed");
        state.SetIterationTime(seconds);
    }
    storeManyEntries(false);
}
BENCHMARK(BM_SettingsWindowFirstShowWithManyEntries)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// From another page back to a page that shows 10,000 entries of each of its lists again: the Finder page
// (favourites, path templates), then the selection toolbar page (engines, AI targets, excluded
// applications).
void BM_SettingsPageSwitchBackToManyEntries(benchmark::State& state) {
    storeManyEntries(true);
    SettingsNavigation navigation;
    SettingsWindow window(navigation, {defaults, dialog, applications});
    if (!bench::showSettingsWindow(window))
        state.SkipWithError("the window never showed");
    const auto target = static_cast<Section>(state.range(0));
    for (auto _ : state) {
        bench::secondsToSwitch(navigation, window, Section::templates);
        state.SetIterationTime(bench::secondsToSwitch(navigation, window, target));
    }
    storeManyEntries(false);
}
BENCHMARK(BM_SettingsPageSwitchBackToManyEntries)
    ->Arg(static_cast<int>(Section::finder))
    ->Arg(static_cast<int>(Section::selection))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    bench::BenchContainer container;
    QApplication app(argc, argv);
    bench::printFirstWindowOfProcess();
    std::printf("first settings window: %.1f ms\n", showWindow() * 1000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
