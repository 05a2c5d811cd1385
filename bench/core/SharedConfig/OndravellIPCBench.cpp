// Hashing sends one progress message before each file, so a message must cost little beside the work.
#include "bench/BenchContainer.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "platform/memory/MemoryNotificationCenter.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

void BM_PostProgress(benchmark::State& state) {
    bench::BenchContainer container;
    platform::MemoryNotificationCenter center;
    std::int64_t completed = 0;
    for (auto _ : state) {
        OndravellIPC::postProgress(center, "3F2504E0-4F89-11D3-9A0C-0305E82C3301", "正在计算哈希",
                                   ++completed, 1000, false);
        if (completed % 1000 == 0)
            center.clear();
    }
}

} // namespace

BENCHMARK(BM_PostProgress);
BENCHMARK_MAIN();
