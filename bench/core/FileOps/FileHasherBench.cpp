// Hashing a large file with each digest, against `openssl dgst` on the same file in the same run.
// ONDRAVELL_BENCH_HASH_MIB sets the file size (default 1024); the file lives in the scratch folder and
// is removed at the end.
#include "bench/core/FileOps/BenchSupport.h"
#include "core/FileOps/FileHasher.h"

#include <benchmark/benchmark.h>
#include <cstdio>

using namespace ondravell;

namespace {

void hashWithFileHasher(benchmark::State& state, std::filesystem::path file, std::uint64_t bytes,
                        HashAlgorithm algorithm) {
    for (auto _ : state) {
        std::error_code error;
        auto digest = FileHasher::hash(file, algorithm, error);
        if (!digest)
            state.SkipWithError(error.message().c_str());
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    // Process-wide peak; the file is never held in memory, so it stays near the program's own size.
    state.counters["maxRSS_MiB"] = bench::maxResidentMiB();
}

void hashWithOpenssl(benchmark::State& state, std::filesystem::path file, std::uint64_t bytes,
                     HashAlgorithm algorithm) {
    for (auto _ : state) {
        if (!bench::runProgram({"openssl", "dgst", "-" + std::string(algorithm.id()), file.string()}))
            state.SkipWithError("openssl dgst failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

} // namespace

int main(int argc, char** argv) {
    const std::uint64_t bytes = bench::mebibytesFromEnvironment("ONDRAVELL_BENCH_HASH_MIB", 1024);
    const std::filesystem::path file = bench::scratchFolder() / "ondravell-hash-bench.bin";
    if (!bench::makeFile(file, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return 1;
    }
    for (HashAlgorithm algorithm : HashAlgorithm::allCases) {
        std::string name(algorithm.id());
        benchmark::RegisterBenchmark(("FileHasher/" + name).c_str(), hashWithFileHasher, file, bytes,
                                     algorithm)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
        benchmark::RegisterBenchmark(("OpensslDgst/" + name).c_str(), hashWithOpenssl, file, bytes, algorithm)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(file);
    return 0;
}
