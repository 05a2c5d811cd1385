#include "core/FileOps/OperationJournal.h"

#include "core/FileOps/Leftovers.h"
#include "platform/memory/MemoryTrash.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondravell;
using ondravell::testing::readText;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;
namespace fs = std::filesystem;

namespace {

const auto fixedNow = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000));

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(OperationJournal, AKilledPasteIsRecordedOnceAndCanBeUndone) {
    TemporaryFolder container, source, destination;
    const OperationHistory history(container / "operation-history.json");
    std::vector<fs::path> sources;
    for (const char* name : {"a", "b", "c"}) {
        writeText(source / name, name);
        sources.push_back(source / name);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        OperationJournal::paste(history, sources, destination.path, true, fixedNow, "OP-1",
                                [&](std::size_t done, std::size_t) {
                                    // A journal still being written is left to its writer.
                                    OperationJournal::tidyHistoryFolder(history);
                                    if (!history.loadAscending().empty())
                                        ::_exit(1);
                                    if (done == 2)
                                        ::raise(SIGKILL);
                                });
        ::_exit(2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    EXPECT_TRUE(history.loadAscending().empty());

    // The next paste records it, and the next start of the program finds it recorded already.
    OperationJournal::paste(history, {}, destination.path, false, fixedNow, "OP-2");
    OperationJournal::tidyHistoryFolder(history);
    auto entries = history.loadAscending();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], (FileOperation{"OP-1",
                                         FileOperation::Kind::move,
                                         fixedNow,
                                         {{(source / "a").native(), (destination / "a").native()},
                                          {(source / "b").native(), (destination / "b").native()}},
                                         false}));
    EXPECT_EQ(namesIn(container.path),
              (std::vector<std::string>{"operation-history.json", "operation-history.json.lock"}));

    platform::MemoryTrash trash;
    EXPECT_EQ(FileOperator::undo(entries[0], trash), UndoResult::undone);
    EXPECT_EQ(namesIn(source.path), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(fs::is_empty(destination.path));
}

TEST(OperationJournal, AFinishedPasteLeavesOnlyItsHistoryEntry) {
    TemporaryFolder container, source, destination;
    const OperationHistory history(container / "operation-history.json");
    writeText(source / "a", "a");
    auto outcome =
        OperationJournal::paste(history, {source / "a"}, destination.path, false, fixedNow, "OP-1");
    ASSERT_TRUE(outcome.operation);
    EXPECT_EQ(history.loadAscending(), std::vector<FileOperation>{*outcome.operation});
    EXPECT_EQ(namesIn(container.path),
              (std::vector<std::string>{"operation-history.json", "operation-history.json.lock"}));
}

TEST(Leftovers, RemovesOnlyOldOnesThatNoRunningProcessHolds) {
    TemporaryFolder folder;
    const std::string moving = ".ondravell-moving-0f8fad5b-d9cb-469f-a165-70867728950e";
    const std::string held = ".ondravell-moving-7c9e6679-7425-40de-944b-e07fc1f90ae7";
    const std::string temporary = ".operation-history.json.Ab12Cd";
    fs::create_directories(folder / moving / "inner");
    writeText(folder / moving / "inner" / "part", "part");
    writeText(folder / held, "still being written");
    writeText(folder / temporary, "[]");
    for (const char* kept : {".operation-history.json.lock", ".ondravell-moving-x", "a.txt", ".hidden"})
        writeText(folder / kept, "kept");
    const int holder = ::open((folder / held).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);

    // Made a moment ago: too young, whatever holds them.
    Leftovers::removeIn(folder.path);
    EXPECT_EQ(namesIn(folder.path).size(), 7u);

    Leftovers::removeIn(folder.path, std::chrono::system_clock::now() + std::chrono::minutes(2));
    EXPECT_EQ(namesIn(folder.path), (std::vector<std::string>{".hidden", held, ".ondravell-moving-x",
                                                              ".operation-history.json.lock", "a.txt"}));
    ::close(holder);
}
