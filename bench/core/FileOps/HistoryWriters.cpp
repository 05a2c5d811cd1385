// Appends to the shared history from several processes at once, each in a tight loop, as the module
// and the application may on a busy day, and prints the latency of one append (lock, read, write, flush
// to disk and replace) as percentiles over all writers. At the end it checks that no entry was lost:
// every writer's entries still in the history are an unbroken run of its newest ones. Last it times the
// flushed atomic replace of a file of the history's size on its own, the floor under every append.
//   history-writers [writers, default 4] [appends per writer, default 250] [folder, default: scratch]
// Goals: with 4 writers p99 under 10 ms; with 1 writer p50 under 1 ms.
#include "bench/core/FileOps/BenchSupport.h"
#include "core/FileOps/OperationHistory.h"
#include "core/Support/AtomicFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace ondravell;
using Clock = std::chrono::steady_clock;

namespace {

FileOperation sampleOperation(const std::string& id) {
    FileOperation operation{id, FileOperation::Kind::copy, std::chrono::system_clock::now(), {}, false};
    for (int i = 0; i < 3; ++i)
        operation.items.push_back({"/home/user/Documents/Projects/report " + std::to_string(i) + ".pdf",
                                   "/home/user/Desktop/report " + std::to_string(i) + ".pdf"});
    return operation;
}

bool readAll(int fd, void* data, std::size_t size) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        ssize_t got = ::read(fd, bytes, size);
        if (got <= 0)
            return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

// One writer's life in its own process: waits for the start signal, appends, sends its latencies (in
// microseconds) up the pipe.
[[noreturn]] void writer(const OperationHistory& history, int index, int appends, int start, int report) {
    char go = 0;
    if (::read(start, &go, 1) != 1)
        ::_exit(1);
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(appends));
    for (int i = 0; i < appends; ++i) {
        FileOperation operation = sampleOperation("w" + std::to_string(index) + "-" + std::to_string(i));
        Clock::time_point begin = Clock::now();
        history.append(operation);
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - begin).count());
    }
    bool sent = ::write(report, micros.data(), micros.size() * sizeof(double)) ==
                static_cast<ssize_t>(micros.size() * sizeof(double));
    ::_exit(sent ? 0 : 1);
}

double percentile(const std::vector<double>& sorted, double p) {
    std::size_t index = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

// Each writer's entries in the final history must be its newest ones, in order, without a gap.
bool nothingLost(const std::vector<FileOperation>& entries, int appends) {
    std::map<int, std::vector<int>> numbers;
    for (const FileOperation& entry : entries) {
        int writerIndex = 0, number = 0;
        if (std::sscanf(entry.id.c_str(), "w%d-%d", &writerIndex, &number) == 2)
            numbers[writerIndex].push_back(number);
    }
    // The history was full before the run.
    if (entries.size() != OperationHistory::maxEntries)
        return false;
    for (const auto& [writerIndex, list] : numbers)
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i] != appends - static_cast<int>(list.size()) + static_cast<int>(i))
                return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int writers = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    const int appends = argc > 2 ? std::max(1, std::atoi(argv[2])) : 250;
    const std::filesystem::path folder =
        (argc > 3 ? std::filesystem::path(argv[3]) : bench::scratchFolder()) / "ondravell-history-writers";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    OperationHistory history(folder / OperationHistory::fileName);
    // A full history, as it is once the user has worked for a while.
    for (std::size_t i = 0; i < OperationHistory::maxEntries; ++i)
        history.append(sampleOperation("prefill-" + std::to_string(i)));

    int start[2], report[2];
    if (::pipe(start) != 0 || ::pipe(report) != 0)
        return 1;
    std::vector<pid_t> children;
    for (int i = 0; i < writers; ++i) {
        pid_t child = ::fork();
        if (child == 0)
            writer(history, i, appends, start[0], report[1]);
        children.push_back(child);
    }
    ::close(report[1]);
    Clock::time_point begin = Clock::now();
    for (int i = 0; i < writers; ++i)
        if (::write(start[1], "g", 1) != 1)
            return 1;
    std::vector<double> micros(static_cast<std::size_t>(writers) * appends);
    // Writes of up to a pipe's capacity arrive whole, so the writers' reports do not interleave.
    bool complete = readAll(report[0], micros.data(), micros.size() * sizeof(double));
    bool childrenOK = true;
    for (pid_t child : children) {
        int status = 0;
        childrenOK = ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                     childrenOK;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    if (!complete || !childrenOK) {
        std::fprintf(stderr, "a writer failed\n");
        return 1;
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%d writer(s) x %d appends: p50 %.2f ms, p95 %.2f ms, p99 %.2f ms, max %.2f ms, "
                "%.0f appends/s\n",
                writers, appends, percentile(micros, 0.50) / 1000, percentile(micros, 0.95) / 1000,
                percentile(micros, 0.99) / 1000, micros.back() / 1000,
                static_cast<double>(micros.size()) / seconds);
    const bool intact = nothingLost(history.loadAscending(), appends);
    std::printf("history after the run: %s\n", intact ? "intact, nothing lost" : "ENTRIES LOST OR DAMAGED");

    const std::string bytes(std::filesystem::file_size(*history.fileURL()), 'x');
    std::vector<double> replace;
    for (int i = 0; i < 200; ++i) {
        Clock::time_point begin = Clock::now();
        writeFileAtomically(folder / "replaced.json", bytes);
        replace.push_back(std::chrono::duration<double, std::micro>(Clock::now() - begin).count());
    }
    std::sort(replace.begin(), replace.end());
    std::printf("flushed replace of %zu bytes alone: p50 %.2f ms, p99 %.2f ms\n", bytes.size(),
                percentile(replace, 0.50) / 1000, percentile(replace, 0.99) / 1000);
    std::filesystem::remove_all(folder);
    return intact ? 0 : 1;
}
