// Hashing sends one progress message before each file, so a message must cost little beside the work.
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
    std::string pattern = (fs::temp_directory_path() / "ondravell-bench-XXXXXX").string();
    fs::path root = ::mkdtemp(pattern.data());
    ::setenv("ONDRAVELL_CONTAINER", root.c_str(), 1);
    platform::MemoryNotificationCenter center;
    std::int64_t completed = 0;
    for (auto _ : state) {
        OndravellIPC::postProgress(center, "3F2504E0-4F89-11D3-9A0C-0305E82C3301", "正在计算哈希",
                                   ++completed, 1000, false);
        if (completed % 1000 == 0)
            center.clear();
    }
    std::error_code error;
    fs::remove_all(root, error);
}

} // namespace

BENCHMARK(BM_PostProgress);
BENCHMARK_MAIN();
