// Appending to a full history (50 entries), the common case once the history has filled up: lock, read,
// decode, encode, atomic replace. The file lives in the scratch folder and is removed at the end.
#include "bench/core/FileOps/BenchSupport.h"
#include "core/FileOps/OperationHistory.h"

#include <benchmark/benchmark.h>

using namespace ondravell;

namespace {

FileOperation sampleOperation(int index) {
    FileOperation operation{"E621E1F8-C36C-495A-93FC-" + std::to_string(100000000000 + index),
                            FileOperation::Kind::copy,
                            std::chrono::system_clock::now(),
                            {},
                            false};
    for (int i = 0; i < 3; ++i)
        operation.items.push_back({"/home/user/Documents/Projects/report " + std::to_string(i) + ".pdf",
                                   "/home/user/Desktop/report " + std::to_string(i) + ".pdf"});
    return operation;
}

struct HistoryFile {
    std::filesystem::path folder = bench::scratchFolder() / "ondravell-history-bench";
    OperationHistory history{folder / OperationHistory::fileName};

    HistoryFile() {
        std::filesystem::create_directories(folder);
        history.clear();
        for (std::size_t i = 0; i < OperationHistory::maxEntries; ++i)
            history.append(sampleOperation(static_cast<int>(i)));
    }
    ~HistoryFile() { std::filesystem::remove_all(folder); }
};

void appendToFullHistory(benchmark::State& state) {
    HistoryFile file;
    int index = 1000;
    for (auto _ : state)
        file.history.append(sampleOperation(index++));
    if (file.history.loadAscending().size() != OperationHistory::maxEntries)
        state.SkipWithError("the history did not keep 50 entries");
}
BENCHMARK(appendToFullHistory)->Unit(benchmark::kMicrosecond)->UseRealTime();

void loadFullHistory(benchmark::State& state) {
    HistoryFile file;
    for (auto _ : state)
        benchmark::DoNotOptimize(file.history.load());
}
BENCHMARK(loadFullHistory)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
