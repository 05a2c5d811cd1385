// Pasting a tree of 10,000 small files (each with an extended attribute, as a downloaded file has) and one
// large file into another folder, against `cp -r` and `cp -a` (which keeps the attributes too, as the
// paste does) of the same sources in the same run; pasting 10,000 small files selected one by one, against
// `cp` of the same files; copying a 1 GiB file holding 4 KiB of data, against `cp`, with the disk space each
// copy takes; and moves within one file system, which must not depend on the size of what moves.
// ONDRAVELL_BENCH_PASTE_MIB sets the large file's size (default 1024). Everything lives in the scratch folder
// and is removed at the end.
#include "bench/core/FileOps/BenchSupport.h"
#include "core/FileOps/FileOperator.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

constexpr int folderCount = 100;
constexpr int filesPerFolder = 100;

// A tree of folderCount x filesPerFolder small files (1 to 4 KiB) beside one large file.
bool makeSources(const fs::path& folder, std::uint64_t largeBytes, int folders) {
    std::error_code error;
    fs::create_directories(folder / "tree", error);
    for (int f = 0; f < folders; ++f) {
        fs::path sub = folder / "tree" / ("folder " + std::to_string(f));
        fs::create_directory(sub, error);
        for (int i = 0; i < filesPerFolder; ++i) {
            std::uint64_t size = 1024 + static_cast<std::uint64_t>((f * filesPerFolder + i) * 37 % 3072);
            fs::path file = sub / ("file " + std::to_string(i) + ".txt");
            if (!bench::makeFile(file, size, f * 1000u + i + 1))
                return false;
            // Where the file system takes no attributes, the copies have none to keep either.
            const std::string origin = "https://example.org/" + std::to_string(i);
            ::setxattr(file.c_str(), "user.xdg.origin.url", origin.data(), origin.size(), 0);
        }
    }
    return bench::makeFile(folder / "large.bin", largeBytes);
}

// folderCount x filesPerFolder small files side by side, each of which the user selected.
std::vector<fs::path> makeSelection(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    fs::create_directories(folder, error);
    for (int i = 0; i < folderCount * filesPerFolder; ++i) {
        files.push_back(folder / ("selected " + std::to_string(i) + ".txt"));
        if (!bench::makeFile(files.back(), 1024 + static_cast<std::uint64_t>(i * 37 % 3072), i + 1u))
            return {};
    }
    return files;
}

struct Scratch {
    fs::path root = bench::scratchFolder() / "ondravell-paste-bench";
    fs::path sources = root / "sources";
    fs::path smallSources = root / "small-sources";
    std::uint64_t largeBytes = bench::mebibytesFromEnvironment("ONDRAVELL_BENCH_PASTE_MIB", 1024);
    std::vector<fs::path> selection;
    fs::path sparse = root / "sparse.img";

    bool make() {
        selection = makeSelection(root / "selection");
        // 1 GiB of holes with 4 KiB of data in the middle, as a fresh disk image.
        int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const std::string data(4096, 'd');
        bool sparseMade = fd >= 0 && ::ftruncate(fd, off_t{1} << 30) == 0 &&
                          ::pwrite(fd, data.data(), data.size(), off_t{1} << 29) == 4096;
        if (fd >= 0)
            ::close(fd);
        if (!sparseMade)
            return false;
        return makeSources(sources, largeBytes, folderCount) && makeSources(smallSources, 1 << 20, 1) &&
               !selection.empty();
    }
    ~Scratch() {
        std::error_code error;
        fs::remove_all(root, error);
    }
    std::vector<fs::path> items(const fs::path& folder) const {
        return {folder / "tree", folder / "large.bin"};
    }
};

Scratch* scratch = nullptr;

// A fresh, empty destination with the disk settled, so that no run pays for the previous one's writes.
fs::path freshDestination(benchmark::State& state) {
    state.PauseTiming();
    fs::path destination = scratch->root / "destination";
    fs::remove_all(destination);
    fs::create_directory(destination);
    ::sync();
    state.ResumeTiming();
    return destination;
}

void pasteCopy(benchmark::State& state) {
    for (auto _ : state) {
        fs::path destination = freshDestination(state);
        auto outcome = FileOperator::paste(scratch->items(scratch->sources), destination, false,
                                           std::chrono::system_clock::now(), "bench");
        if (outcome.succeeded != 2)
            state.SkipWithError("the paste failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * scratch->largeBytes));
}

void cpRecursive(benchmark::State& state) {
    for (auto _ : state) {
        fs::path destination = freshDestination(state);
        auto items = scratch->items(scratch->sources);
        if (!bench::runProgram({"cp", "-r", items[0].string(), items[1].string(), destination.string()}))
            state.SkipWithError("cp -r failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * scratch->largeBytes));
}

void cpArchive(benchmark::State& state) {
    for (auto _ : state) {
        fs::path destination = freshDestination(state);
        auto items = scratch->items(scratch->sources);
        if (!bench::runProgram({"cp", "-a", items[0].string(), items[1].string(), destination.string()}))
            state.SkipWithError("cp -a failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * scratch->largeBytes));
}

// The disk space the copy of the sparse file takes, in KiB.
void reportDiskUse(benchmark::State& state, const fs::path& copy) {
    struct stat info {};
    ::stat(copy.c_str(), &info);
    state.counters["diskKiB"] = static_cast<double>(info.st_blocks) * 512 / 1024;
}

void pasteSparse(benchmark::State& state) {
    fs::path destination;
    for (auto _ : state) {
        destination = freshDestination(state);
        auto outcome = FileOperator::paste({scratch->sparse}, destination, false,
                                           std::chrono::system_clock::now(), "bench");
        if (outcome.succeeded != 1)
            state.SkipWithError("the paste failed");
    }
    reportDiskUse(state, destination / "sparse.img");
}

void cpSparse(benchmark::State& state) {
    fs::path destination;
    for (auto _ : state) {
        destination = freshDestination(state);
        if (!bench::runProgram({"cp", scratch->sparse.string(), destination.string()}))
            state.SkipWithError("cp failed");
    }
    reportDiskUse(state, destination / "sparse.img");
}

void pasteSelection(benchmark::State& state) {
    for (auto _ : state) {
        fs::path destination = freshDestination(state);
        auto outcome = FileOperator::paste(scratch->selection, destination, false,
                                           std::chrono::system_clock::now(), "b");
        if (outcome.succeeded != scratch->selection.size())
            state.SkipWithError("the paste failed");
    }
}

void cpSelection(benchmark::State& state) {
    for (auto _ : state) {
        fs::path destination = freshDestination(state);
        std::vector<std::string> arguments{"cp"};
        for (const auto& file : scratch->selection)
            arguments.push_back(file.string());
        arguments.push_back(destination.string());
        if (!bench::runProgram(arguments))
            state.SkipWithError("cp failed");
    }
}

// Moves the tree and the large file into another folder of the same file system and back again.
void pasteMoveThereAndBack(benchmark::State& state, bool full) {
    const fs::path& home = full ? scratch->sources : scratch->smallSources;
    fs::path away = scratch->root / "away";
    fs::create_directories(away);
    for (auto _ : state) {
        auto there =
            FileOperator::paste(scratch->items(home), away, true, std::chrono::system_clock::now(), "b");
        auto back =
            FileOperator::paste(scratch->items(away), home, true, std::chrono::system_clock::now(), "b");
        if (there.succeeded != 2 || back.succeeded != 2)
            state.SkipWithError("the move failed");
    }
}

} // namespace

int main(int argc, char** argv) {
    Scratch files;
    scratch = &files;
    if (!files.make()) {
        std::fprintf(stderr, "cannot write the sources under %s\n", files.root.c_str());
        return 1;
    }
    {
        benchmark::RegisterBenchmark("PasteCopy/10000files+large", pasteCopy)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
        benchmark::RegisterBenchmark("CpRecursive/10000files+large", cpRecursive)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
        benchmark::RegisterBenchmark("CpArchive/10000files+large", cpArchive)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    }
    benchmark::RegisterBenchmark("PasteSparse/1GiB-4KiB", pasteSparse)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("CpSparse/1GiB-4KiB", cpSparse)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("PasteSelection/10000files", pasteSelection)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark("CpSelection/10000files", cpSelection)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark("PasteMoveThereAndBack/100files+1MiB", pasteMoveThereAndBack, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("PasteMoveThereAndBack/10000files+large", pasteMoveThereAndBack, true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
