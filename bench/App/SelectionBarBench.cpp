// Building and laying out the selection bar with all 15 toolbar actions, in each style. Runs on Qt's
// offscreen platform unless a display is chosen.
#include "App/Selection/SelectionBarView.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace ondravell;

namespace {

void buildAndLayOut(benchmark::State& state, SelectionBarStyle style) {
    const std::vector<SelectionAction>& actions = SelectionAction::builtins();
    for (auto _ : state) {
        SelectionBarView view(actions, style, nullptr);
        view.adjustSize();
        benchmark::DoNotOptimize(view.sizeHint());
    }
}

} // namespace

BENCHMARK_CAPTURE(buildAndLayOut, icon, SelectionBarStyle::icon)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(buildAndLayOut, text, SelectionBarStyle::text)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(buildAndLayOut, iconText, SelectionBarStyle::iconText)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
