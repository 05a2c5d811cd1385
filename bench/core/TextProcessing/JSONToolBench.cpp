#include "JsonSample.h"
#include "core/TextProcessing/JSONTool.h"

#include <benchmark/benchmark.h>

namespace {

const std::string& sample() {
    static const std::string document = ondravell::bench::makeJsonSample(10 * 1024 * 1024);
    return document;
}

void prettyPrint10MB(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ondravell::JSONTool::prettyPrint(sample()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sample().size()));
}

void minify10MB(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ondravell::JSONTool::minify(sample()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sample().size()));
}

void isValid10MB(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ondravell::JSONTool::isValid(sample()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sample().size()));
}

} // namespace

BENCHMARK(prettyPrint10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(minify10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(isValid10MB)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
