// The toolbar's case-conversion and clean-up actions on large selections, as the user waits for them:
// the case action writes the six word styles of the whole text, the clean-up action its five clean
// texts. Goals: under 2 s for the case action on 5 MB, under 1 s for the clean-up action on 5 MB, and
// camel case of 1 MB within twice the time of snake case. The single transforms are listed as well, to
// show where the time goes.
#include "bench/core/TextProcessing/SelectionSample.h"
#include "core/TextProcessing/CaseConverter.h"
#include "core/TextProcessing/TextCleaner.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <string>
#include <utility>

using namespace ondravell;
using bench::SelectionKind;

namespace {

constexpr std::size_t mebibyte = 1 << 20;
constexpr NamingStyle wordStyles[] = {NamingStyle::camelCase,    NamingStyle::pascalCase,
                                      NamingStyle::snakeCase,    NamingStyle::kebabCase,
                                      NamingStyle::constantCase, NamingStyle::titleCase};

const std::pair<const char*, std::string (*)(std::string_view)> cleanUps[] = {
    {"trimSpaces", TextCleaner::trimSpaces},           {"removeLineBreaks", TextCleaner::removeLineBreaks},
    {"addPanguSpacing", TextCleaner::addPanguSpacing}, {"toSimplified", TextCleaner::toSimplified},
    {"toTraditional", TextCleaner::toTraditional},
};

void run(benchmark::State& state, const std::string& text, const std::function<std::size_t()>& body) {
    std::size_t produced = 0;
    for (auto _ : state)
        produced = body();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["outputMiB"] = static_cast<double>(produced) / mebibyte;
}

void registerCase(const char* name, SelectionKind kind, std::size_t bytes) {
    benchmark::RegisterBenchmark(name,
                                 [kind, bytes](benchmark::State& state) {
                                     const std::string text = bench::makeSelectionSample(kind, bytes);
                                     run(state, text, [&] {
                                         std::size_t size = 0;
                                         for (NamingStyle style : wordStyles)
                                             size += CaseConverter::convert(text, style, "en_US").size();
                                         return size;
                                     });
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void registerStyle(const char* name, NamingStyle style, std::size_t bytes) {
    benchmark::RegisterBenchmark(
        name,
        [style, bytes](benchmark::State& state) {
            const std::string text = bench::makeSelectionSample(SelectionKind::mixed, bytes);
            run(state, text, [&] { return CaseConverter::convert(text, style, "en_US").size(); });
        })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

} // namespace

int main(int argc, char** argv) {
    registerCase("caseAction/5MiB/mixed", SelectionKind::mixed, 5 * mebibyte);
    registerCase("caseAction/5MiB/emoji", SelectionKind::emoji, 5 * mebibyte);
    registerCase("caseAction/5MiB/rightToLeft", SelectionKind::rightToLeft, 5 * mebibyte);
    registerCase("caseAction/5MiB/chinese", SelectionKind::chinese, 5 * mebibyte);
    registerStyle("camelCase/1MiB", NamingStyle::camelCase, mebibyte);
    registerStyle("snakeCase/1MiB", NamingStyle::snakeCase, mebibyte);
    for (auto [name, kind] : {std::pair{"cleanUpAction/5MiB/mixed", SelectionKind::mixed},
                              std::pair{"cleanUpAction/5MiB/chinese", SelectionKind::chinese}}) {
        benchmark::RegisterBenchmark(name,
                                     [kind = kind](benchmark::State& state) {
                                         const std::string text =
                                             bench::makeSelectionSample(kind, 5 * mebibyte);
                                         run(state, text, [&] {
                                             std::size_t size = 0;
                                             for (const auto& [label, transform] : cleanUps)
                                                 size += transform(text).size();
                                             return size;
                                         });
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    for (const auto& [label, transform] : cleanUps) {
        benchmark::RegisterBenchmark((std::string("cleanUp/5MiB/") + label).c_str(),
                                     [transform = transform](benchmark::State& state) {
                                         const std::string text =
                                             bench::makeSelectionSample(SelectionKind::mixed, 5 * mebibyte);
                                         run(state, text, [&] { return transform(text).size(); });
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
