#pragma once

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ondravell::bench {

// Where the benchmarks put their large scratch files: $ONDRAVELL_BENCH_DIR, else the current folder
// (run them from the build folder; /tmp may be small).
inline std::filesystem::path scratchFolder() {
    const char* folder = std::getenv("ONDRAVELL_BENCH_DIR");
    return folder && *folder ? std::filesystem::path(folder) : std::filesystem::current_path();
}

// A size in MiB from the environment, for trying the benchmarks quickly on small data.
inline std::uint64_t mebibytesFromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return (text && *text ? std::strtoull(text, nullptr, 10) : fallback) << 20;
}

inline double maxResidentMiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Writes `bytes` of incompressible data, quickly.
inline bool makeFile(const std::filesystem::path& file, std::uint64_t bytes,
                     std::uint64_t seed = 88172645463325252u) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::vector<std::uint64_t> block(1 << 17);
    bool ok = true;
    for (std::uint64_t written = 0; ok && written < bytes;) {
        for (auto& word : block) {
            seed ^= seed << 13;
            seed ^= seed >> 7;
            seed ^= seed << 17;
            word = seed;
        }
        std::size_t chunk = std::min<std::uint64_t>(block.size() * sizeof(std::uint64_t), bytes - written);
        ok = ::write(fd, block.data(), chunk) == static_cast<ssize_t>(chunk);
        written += chunk;
    }
    return ::close(fd) == 0 && ok;
}

// Runs a program with its output discarded and waits for it; true when it exited with status 0.
inline bool runProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    bool succeeded = false;
    if (::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        succeeded = ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    ::posix_spawn_file_actions_destroy(&actions);
    return succeeded;
}

} // namespace ondravell::bench
