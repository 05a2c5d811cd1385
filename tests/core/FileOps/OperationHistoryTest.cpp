#include "core/FileOps/OperationHistory.h"

#include "tests/core/FileOps/TemporaryFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondravell;
using ondravell::testing::readText;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;

namespace {

FileOperation entry(std::string id) {
    return FileOperation{std::move(id),
                         FileOperation::Kind::copy,
                         std::chrono::system_clock::time_point(std::chrono::seconds(1700000000)),
                         {{"/x/a.txt", "/y/a.txt"}},
                         false};
}

std::vector<std::string> idsOf(const std::vector<FileOperation>& operations) {
    std::vector<std::string> ids;
    for (const auto& operation : operations)
        ids.push_back(operation.id);
    return ids;
}

struct HistoryFixture {
    TemporaryFolder folder;
    std::filesystem::path file = folder / "operation-history.json";
    OperationHistory history{file};
};

// Entries may only leave a history from its old end. An entry that vanished while an older one stayed
// was lost by an overlapping read-modify-write.
bool onlyOldestDropped(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    std::set<std::string> present(after.begin(), after.end());
    bool keptOne = false;
    for (const std::string& id : before) {
        if (present.count(id))
            keptOne = true;
        else if (keptOne)
            return false;
    }
    return true;
}

// Appends `count` entries and checks after each one that nothing was lost in between; the exit status
// of a forked writer.
bool appendWatching(const OperationHistory& history, const std::string& prefix, int count) {
    std::vector<std::string> seen;
    for (int i = 0; i < count; ++i) {
        history.append(entry(prefix + std::to_string(i)));
        auto now = idsOf(history.loadAscending());
        if (!onlyOldestDropped(seen, now))
            return false;
        seen = std::move(now);
    }
    return true;
}

} // namespace

TEST(OperationHistoryAppend, KeepsTheNewestFiftyOldestFirst) {
    HistoryFixture fixture;
    for (int i = 0; i < 51; ++i)
        fixture.history.append(entry("E" + std::to_string(i)));
    auto ids = idsOf(fixture.history.loadAscending());
    ASSERT_EQ(ids.size(), 50u);
    EXPECT_EQ(ids.front(), "E1");
    EXPECT_EQ(ids.back(), "E50");
}

TEST(OperationHistoryAppend, CutsAnOverlongFileToTheNewestFiftyInOneStep) {
    HistoryFixture fixture;
    nlohmann::json array = nlohmann::json::array();
    for (int i = 0; i < 60; ++i)
        array.push_back(entry("E" + std::to_string(i)).toJSON());
    writeText(fixture.file, array.dump());
    fixture.history.append(entry("new"));
    auto ids = idsOf(fixture.history.loadAscending());
    ASSERT_EQ(ids.size(), 50u);
    EXPECT_EQ(ids.front(), "E11");
    EXPECT_EQ(ids.back(), "new");
}

TEST(OperationHistoryAppend, ReplacesAnUndecodableFileWithTheNewEntry) {
    HistoryFixture fixture;
    writeText(fixture.file, R"({"id":"not an array"})");
    EXPECT_TRUE(fixture.history.loadAscending().empty());
    fixture.history.append(entry("A"));
    EXPECT_EQ(idsOf(fixture.history.loadAscending()), std::vector<std::string>{"A"});
}

TEST(OperationHistoryAppend, LosesNoEntryWhenTwoProcessesAppendAtOnce) {
    HistoryFixture fixture;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(appendWatching(fixture.history, "child-", 500) ? 0 : 1);
    bool parentClean = appendWatching(fixture.history, "parent-", 500);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(parentClean);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // Whichever writer finished last may have pushed all of the other's entries out, so the final file
    // holds, for each writer, either nothing or an unbroken run of its newest entries.
    auto ids = idsOf(fixture.history.loadAscending());
    ASSERT_EQ(ids.size(), 50u);
    EXPECT_TRUE(ids.back() == "child-499" || ids.back() == "parent-499") << ids.back();
    for (const std::string prefix : {"child-", "parent-"}) {
        std::vector<int> numbers;
        for (const std::string& id : ids)
            if (id.starts_with(prefix))
                numbers.push_back(std::stoi(id.substr(prefix.size())));
        for (size_t i = 0; i < numbers.size(); ++i)
            EXPECT_EQ(numbers[i], 500 - int(numbers.size()) + int(i)) << prefix;
    }
}

TEST(OperationHistoryRead, LoadGivesNewestFirstAndLoadAscendingFileOrder) {
    HistoryFixture fixture;
    for (const char* id : {"A", "B", "C"})
        fixture.history.append(entry(id));
    EXPECT_EQ(idsOf(fixture.history.loadAscending()), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(idsOf(fixture.history.load()), (std::vector<std::string>{"C", "B", "A"}));
}

TEST(OperationHistoryRead, AnEntryWithAMissingKeyEmptiesTheWholeHistory) {
    HistoryFixture fixture;
    writeText(fixture.file, R"([{"id":"A","kind":"copy","timestamp":1,"items":[],"undone":false},
                               {"id":"B","kind":"copy","timestamp":1,"items":[]}])");
    EXPECT_TRUE(fixture.history.load().empty());
    writeText(fixture.file, "[]");
    EXPECT_TRUE(fixture.history.load().empty());
}

TEST(OperationHistoryUpdate, ReplacesOnlyTheEntryWithTheSameIdInPlace) {
    HistoryFixture fixture;
    for (const char* id : {"A", "B", "C"})
        fixture.history.append(entry(id));
    FileOperation undone = entry("B");
    undone.undone = true;
    fixture.history.update(undone);
    auto operations = fixture.history.loadAscending();
    ASSERT_EQ(operations.size(), 3u);
    EXPECT_TRUE(operations[1].undone);
    EXPECT_FALSE(operations[0].undone || operations[2].undone);
}

TEST(OperationHistoryUpdate, LeavesTheFileUntouchedForAnUnknownId) {
    HistoryFixture fixture;
    fixture.history.append(entry("A"));
    std::string before = readText(fixture.file);
    struct stat old {};
    ASSERT_EQ(::stat(fixture.file.c_str(), &old), 0);
    fixture.history.update(entry("Z"));
    struct stat now {};
    ASSERT_EQ(::stat(fixture.file.c_str(), &now), 0);
    EXPECT_EQ(old.st_ino, now.st_ino);
    EXPECT_EQ(readText(fixture.file), before);
}

TEST(OperationHistoryClear, WritesAnEmptyArrayWhetherOrNotAFileExisted) {
    HistoryFixture fixture;
    fixture.history.clear();
    EXPECT_EQ(readText(fixture.file), "[]");
    fixture.history.append(entry("A"));
    fixture.history.clear();
    EXPECT_EQ(readText(fixture.file), "[]");
}

TEST(OperationHistoryWithoutContainer, ReadsEmptyAndWritesNothing) {
    OperationHistory history(std::nullopt);
    history.append(entry("A"));
    history.clear();
    EXPECT_TRUE(history.load().empty());
}

TEST(OperationHistoryContainer, LivesInTheContainerRoot) {
    TemporaryFolder folder;
    ::setenv("ONDRAVELL_CONTAINER", folder.path.c_str(), 1);
    auto history = OperationHistory::forAppGroup("K3WQ9ZD7TM.dev.ondravell");
    ::unsetenv("ONDRAVELL_CONTAINER");
    EXPECT_EQ(history.fileURL(), folder / "operation-history.json");
}
