// The toolbar runs the clean-up and inspection functions on whatever the user selected. These run them
// on long runs of one character, where a pattern that rescans the rest of a run from each character of
// it would take time quadratic in the run's length.
#include "core/TextProcessing/TextCleaner.h"
#include "core/TextProcessing/TextInspector.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <string>

using namespace ondravell;

namespace {

// `count` repetitions of `piece`, then one letter so that nothing is trimmed away before the work.
std::string run(const std::string& piece, std::int64_t count) {
    std::string text;
    for (std::int64_t i = 0; i < count; ++i)
        text += piece;
    return text + "x";
}

void measure(benchmark::State& state, const std::function<std::string(std::string_view)>& transform,
             const std::string& piece) {
    const std::string text = run(piece, state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(transform(text));
    state.SetComplexityN(state.range(0));
}

void count(benchmark::State& state, const std::string& piece) {
    const std::string text = run(piece, state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(TextInspector::count(text));
    state.SetComplexityN(state.range(0));
}

void detect(benchmark::State& state, const std::string& piece) {
    const std::string text = "1" + run(piece, state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(TextInspector::detect(text));
    state.SetComplexityN(state.range(0));
}

void registerRuns(const char* name, const std::function<void(benchmark::State&)>& body) {
    benchmark::RegisterBenchmark(name, body)
        ->RangeMultiplier(4)
        ->Range(5000, 80000)
        ->Arg(20000)
        ->Unit(benchmark::kMillisecond)
        ->Complexity();
}

} // namespace

int main(int argc, char** argv) {
    registerRuns("removeLineBreaks/spaces", [](auto& s) { measure(s, TextCleaner::removeLineBreaks, " "); });
    registerRuns("removeLineBreaks/tabsAndCR",
                 [](auto& s) { measure(s, TextCleaner::removeLineBreaks, "\t\r"); });
    registerRuns("removeLineBreaks/lineFeeds",
                 [](auto& s) { measure(s, TextCleaner::removeLineBreaks, "\n"); });
    registerRuns("trimSpaces/spaces", [](auto& s) { measure(s, TextCleaner::trimSpaces, " "); });
    registerRuns("trimSpaces/spaceAndLetter", [](auto& s) { measure(s, TextCleaner::trimSpaces, " a"); });
    registerRuns("mergeBlankLines/lineFeeds",
                 [](auto& s) { measure(s, TextCleaner::mergeBlankLines, "\n"); });
    registerRuns("mergeBlankLines/twoLineFeedsAndLetter",
                 [](auto& s) { measure(s, TextCleaner::mergeBlankLines, "\n\na"); });
    registerRuns("addPanguSpacing/hanAndLetter",
                 [](auto& s) { measure(s, TextCleaner::addPanguSpacing, "\u4e2da"); });
    registerRuns("count/spaces", [](auto& s) { count(s, " "); });
    registerRuns("count/combiningMarks", [](auto& s) { count(s, " \u0301"); });
    registerRuns("detect/spaces", [](auto& s) { detect(s, " "); });
    registerRuns("detect/digitsAndPlus", [](auto& s) { detect(s, "1+"); });
    registerRuns("parseColor/spaces", [](auto& s) {
        measure(
            s, [](std::string_view t) { return TextInspector::parseColor(t) ? "" : "-"; }, " ");
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
