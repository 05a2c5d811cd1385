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
    const std::string moving = ".ondravell-moving-0F8FAD5B-D9CB-469F-A165-70867728950E";
    const std::string held = ".ondravell-moving-7C9E6679-7425-40DE-944B-E07FC1F90AE7";
    fs::create_directories(folder / moving / "inner");
    writeText(folder / moving / "inner" / "part", "part");
    writeText(folder / held, "still being written");
    writeText(folder / "a.txt", "kept");
    const int holder = ::open((folder / held).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);

    // Made a moment ago: too young, whatever holds them.
    Leftovers::removeIn(folder.path);
    EXPECT_EQ(namesIn(folder.path).size(), 3u);

    Leftovers::removeIn(folder.path, std::chrono::system_clock::now() + std::chrono::minutes(2));
    EXPECT_EQ(namesIn(folder.path), (std::vector<std::string>{held, "a.txt"}));
    ::close(holder);
}

TEST(Leftovers, NeverTouchesANameThatIsNotProvablyOurs) {
    // Names a user may give files of their own, however much they look like ours.
    const std::vector<std::string> usersOwn{".operation-history.json.backup",
                                            ".operation-history.json.Ab12Cd",
                                            ".operation-history.json.lock",
                                            ".operation-history.json.Ab12Cd~",
                                            ".other.json.Ab12Cd",
                                            ".ondravell-moving-x",
                                            ".ondravell-moving-0f8fad5b-d9cb-469f-a165-70867728950e",
                                            ".ondravell-moving-0F8FAD5B-D9CB-169F-A165-70867728950E",
                                            ".ondravell-moving-0F8FAD5B-D9CB-469F-A165-70867728950E.txt",
                                            "operation-history.json",
                                            "a.txt"};
    const std::string partial = ".ondravell-moving-0F8FAD5B-D9CB-469F-A165-70867728950E";
    const std::string temporary = ".operation-history.json.Ab12Cd";
    const auto later = std::chrono::system_clock::now() + std::chrono::minutes(2);

    // In a folder the user pastes into, only the partial of a paste goes.
    TemporaryFolder destination, container;
    for (const std::string& name : usersOwn)
        writeText(destination / name, "the user's");
    writeText(destination / partial, "part");
    Leftovers::removeIn(destination.path, later);
    std::vector<std::string> expected = usersOwn;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(destination.path), expected);

    // Beside the history, a temporary of a history write goes too, and nothing else.
    const OperationHistory history(container / "operation-history.json");
    history.clear();
    writeText(container / partial, "part");
    writeText(container / temporary, "[]");
    writeText(container / ".settings.json.Ab12Cd", "{}");
    OperationJournal::tidyHistoryFolder(history, later);
    EXPECT_EQ(namesIn(container.path),
              (std::vector<std::string>{".settings.json.Ab12Cd", "operation-history.json",
                                        "operation-history.json.lock"}));
}
