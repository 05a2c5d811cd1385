#include "core/FileOps/FileOperator.h"

#include "platform/memory/MemoryTrash.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ondravell;
using ondravell::testing::readText;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;
namespace fs = std::filesystem;
using FileOperatorPasteAcrossFileSystems = ondravell::testing::AcrossFileSystems;
using FileOperatorUndoAcrossFileSystems = ondravell::testing::AcrossFileSystems;
using Calls = std::vector<std::pair<std::size_t, std::size_t>>;

namespace {

const auto fixedNow = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000));

struct PasteRun {
    PasteOutcome outcome;
    Calls progress;
};

PasteRun paste(const std::vector<fs::path>& sources, const fs::path& destination, bool move) {
    PasteRun run;
    run.outcome = FileOperator::paste(
        sources, destination, move, fixedNow, "OP-1",
        [&](std::size_t done, std::size_t total) { run.progress.emplace_back(done, total); });
    return run;
}

// Undo with a trash that takes everything and leaves the files where they are.
bool undo(const FileOperation& operation) {
    platform::MemoryTrash trash;
    return FileOperator::undo(operation, trash) == UndoResult::undone;
}

FileOperation operationOf(FileOperation::Kind kind, std::vector<FileOperationItem> items) {
    return FileOperation{"OP-2", kind, fixedNow, std::move(items), false};
}

// Three files a.txt, b.txt, c.txt in `folder`.
std::vector<fs::path> threeFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        writeText(folder / name, name);
        files.push_back(folder / name);
    }
    return files;
}

} // namespace

TEST(FileOperatorPaste, CopyTakesTheNextFreeName) {
    TemporaryFolder source, destination;
    writeText(source / "a.txt", "new");
    writeText(destination / "a.txt", "1");
    writeText(destination / "a 2.txt", "2");
    auto run = paste({source / "a.txt"}, destination.path, false);
    EXPECT_EQ(readText(destination / "a 3.txt"), "new");
    EXPECT_EQ(readText(destination / "a.txt"), "1");
    ASSERT_TRUE(run.outcome.operation);
    EXPECT_EQ(*run.outcome.operation,
              (FileOperation{"OP-1",
                             FileOperation::Kind::copy,
                             fixedNow,
                             {{(source / "a.txt").native(), (destination / "a 3.txt").native()}},
                             false}));
}

TEST(FileOperatorPaste, GivesSourcesOfOneNameFreeNamesInSourceOrder) {
    TemporaryFolder first, second, destination;
    writeText(first / "a.txt", "first");
    writeText(second / "a.txt", "second");
    auto run = paste({first / "a.txt", second / "a.txt"}, destination.path, false);
    EXPECT_EQ(run.outcome.succeeded, 2u);
    EXPECT_EQ(readText(destination / "a.txt"), "first");
    EXPECT_EQ(readText(destination / "a 2.txt"), "second");
}

// How often a folder itself was opened (listed) while `work` ran.
template <class Work> int openingsOf(const fs::path& folder, Work work) {
    int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(::inotify_add_watch(watch, folder.c_str(), IN_OPEN), 0);
    work();
    int openings = 0;
    alignas(inotify_event) char buffer[65536];
    for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + got;) {
            auto* event = reinterpret_cast<inotify_event*>(at);
            openings += event->len == 0 && (event->mask & IN_ISDIR) ? 1 : 0;
            at += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    return openings;
}

TEST(FileOperatorPaste, ListsTheDestinationOnceAndKeepsItsNamesUpToDate) {
    TemporaryFolder first, second, destination;
    std::vector<fs::path> sources;
    for (const char* name : {"a.txt", "b", "a 2.txt", ".hidden"}) {
        writeText(first / name, std::string("first ") + name);
        writeText(second / name, std::string("second ") + name);
        sources.push_back(first / name);
        sources.push_back(second / name);
    }
    writeText(destination / "b", "kept");
    PasteRun run;
    EXPECT_EQ(openingsOf(destination.path, [&] { run = paste(sources, destination.path, false); }), 1);
    ASSERT_TRUE(run.outcome.operation);
    std::vector<std::string> names;
    for (const auto& item : run.outcome.operation->items)
        names.push_back(fs::path(*item.to).filename());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "a 2.txt", "b 2", "b 3", "a 2 2.txt", "a 2 3.txt",
                                               ".hidden", ".hidden 2"}));
    EXPECT_EQ(readText(destination / "b"), "kept");
    EXPECT_EQ(readText(destination / "a 2 3.txt"), "second a 2.txt");
}

TEST(FileOperatorPaste, MovingIntoItsOwnFolderRenamesItAndFreesItsName) {
    TemporaryFolder folder, other;
    writeText(folder / "a.txt", "x");
    writeText(other / "a.txt", "y");
    auto run = paste({folder / "a.txt", other / "a.txt"}, folder.path, true);
    EXPECT_EQ(run.outcome.succeeded, 2u);
    EXPECT_EQ(readText(folder / "a 2.txt"), "x");
    // The first item's old name is free again for the next one.
    EXPECT_EQ(readText(folder / "a.txt"), "y");
}

TEST(FileOperatorPaste, RollsBackEarlierMovesWhenOneFails) {
    TemporaryFolder source, destination;
    auto sources = threeFiles(source.path);
    fs::remove(sources[2]);
    auto run = paste(sources, destination.path, true);
    EXPECT_EQ(run.outcome, (PasteOutcome{std::nullopt, 0, 3, true}));
    EXPECT_EQ(run.progress, (Calls{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(readText(sources[0]), "a.txt");
    EXPECT_EQ(readText(sources[1]), "b.txt");
    EXPECT_TRUE(fs::is_empty(destination.path));
}

TEST_F(FileOperatorPasteAcrossFileSystems, RollsBackEarlierMovesWhenOneFails) {
    fs::create_directories(memory / "folder" / "inner");
    writeText(memory / "folder" / "inner" / "x", "deep");
    auto sources = threeFiles(memory.path);
    sources[0] = memory / "folder";
    fs::remove(sources[2]);
    auto run = paste(sources, disk.path, true);
    EXPECT_TRUE(run.outcome.rolledBack);
    EXPECT_EQ(readText(memory / "folder" / "inner" / "x"), "deep");
    EXPECT_EQ(readText(memory / "b.txt"), "b.txt");
    EXPECT_TRUE(fs::is_empty(disk.path));
}

TEST_F(FileOperatorPasteAcrossFileSystems, MovesEveryItem) {
    auto sources = threeFiles(memory.path);
    auto run = paste(sources, disk.path, true);
    EXPECT_EQ(run.outcome.succeeded, 3u);
    EXPECT_TRUE(fs::is_empty(memory.path));
    EXPECT_EQ(readText(disk / "c.txt"), "c.txt");
}

TEST_F(FileOperatorPasteAcrossFileSystems, TakesTheNextFreeNameWhenANameIsTakenAfterTheListing) {
    // A copy, a move within one file system and one across two.
    const struct {
        const TemporaryFolder& from;
        bool move;
    } pastes[] = {{disk, false}, {disk, true}, {memory, true}};
    for (const auto& how : pastes) {
        SCOPED_TRACE(::testing::Message() << how.from.path << (how.move ? " move" : " copy"));
        TemporaryFolder destination(disk.path);
        auto sources = threeFiles(how.from.path);
        // Another program takes the names of the second and third items once the first has landed.
        auto run = FileOperator::paste(sources, destination.path, how.move, fixedNow, "OP-1",
                                       [&](std::size_t done, std::size_t) {
                                           if (done == 1) {
                                               writeText(destination / "b.txt", "other");
                                               fs::create_directory(destination / "c.txt");
                                           }
                                       });
        EXPECT_EQ(run.succeeded, 3u);
        EXPECT_EQ(run.failed, 0u);
        EXPECT_EQ(readText(destination / "b.txt"), "other");
        EXPECT_EQ(readText(destination / "b 2.txt"), "b.txt");
        EXPECT_EQ(readText(destination / "c 2.txt"), "c.txt");
        ASSERT_TRUE(run.operation);
        EXPECT_EQ(run.operation->items.back().to, (destination / "c 2.txt").native());
        for (const fs::path& file : sources)
            fs::remove(file);
    }
}

TEST(FileOperatorPaste, CountsAFailedCopyAndGoesOn) {
    TemporaryFolder source, destination;
    auto sources = threeFiles(source.path);
    fs::remove(sources[1]);
    auto run = paste(sources, destination.path, false);
    ASSERT_TRUE(run.outcome.operation);
    EXPECT_EQ(run.outcome.operation->items.size(), 2u);
    EXPECT_EQ(run.outcome.succeeded, 2u);
    EXPECT_EQ(run.outcome.failed, 1u);
    EXPECT_FALSE(run.outcome.rolledBack);
    EXPECT_EQ(run.progress, (Calls{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(readText(destination / "c.txt"), "c.txt");
}

TEST(FileOperatorPaste, CountsAFolderCopiedIntoItselfAsFailed) {
    TemporaryFolder folder;
    fs::create_directories(folder / "tree" / "inner");
    writeText(folder / "tree" / "a", "a");
    auto run = paste({folder / "tree"}, folder / "tree" / "inner", false);
    EXPECT_EQ(run.outcome, (PasteOutcome{std::nullopt, 0, 1, false}));
    EXPECT_TRUE(fs::is_empty(folder / "tree" / "inner"));
    run = paste({folder / "tree"}, folder / "tree", false);
    EXPECT_EQ(run.outcome.failed, 1u);
}

TEST(FileOperatorPaste, StopsBetweenItemsAndKeepsWhatItDid) {
    for (bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        TemporaryFolder source, destination;
        auto sources = threeFiles(source.path);
        std::size_t handled = 0;
        FileOperator::Steps steps;
        steps.done = [&](const FileOperationItem&) { ++handled; };
        steps.stop = [&] { return handled == 2; };
        Calls progress;
        PasteOutcome outcome = FileOperator::paste(
            sources, destination.path, move, fixedNow, "OP-1",
            [&](std::size_t done, std::size_t total) { progress.emplace_back(done, total); }, steps);
        ASSERT_TRUE(outcome.operation);
        EXPECT_EQ(outcome.operation->items.size(), 2u);
        EXPECT_EQ(outcome.succeeded, 2u);
        EXPECT_EQ(outcome.failed, 0u);
        EXPECT_FALSE(outcome.rolledBack);
        EXPECT_TRUE(outcome.stopped);
        EXPECT_EQ(progress, (Calls{{1, 3}, {2, 3}}));
        EXPECT_EQ(readText(destination / "b.txt"), "b.txt");
        EXPECT_EQ(fs::exists(sources[0]), !move);
        EXPECT_EQ(readText(sources[2]), "c.txt");
        EXPECT_FALSE(fs::exists(destination / "c.txt"));
    }
}

TEST(FileOperatorPaste, OfNoSourcesDoesNothingAndReportsNoProgress) {
    TemporaryFolder destination;
    auto run = paste({}, destination.path, true);
    EXPECT_EQ(run.outcome, (PasteOutcome{std::nullopt, 0, 0, false}));
    EXPECT_TRUE(run.progress.empty());
}

TEST(FileOperatorUndo, PutsMovedItemsBack) {
    TemporaryFolder source, destination;
    auto sources = threeFiles(source.path);
    auto run = paste(sources, destination.path, true);
    ASSERT_TRUE(run.outcome.operation);
    EXPECT_TRUE(undo(*run.outcome.operation));
    EXPECT_EQ(readText(sources[0]), "a.txt");
    EXPECT_TRUE(fs::is_empty(destination.path));
    // Undoing again finds every item in place already.
    EXPECT_TRUE(undo(*run.outcome.operation));
}

TEST_F(FileOperatorUndoAcrossFileSystems, PutsMovedItemsBack) {
    auto run = paste(threeFiles(memory.path), disk.path, true);
    ASSERT_TRUE(run.outcome.operation);
    EXPECT_TRUE(undo(*run.outcome.operation));
    EXPECT_EQ(readText(memory / "a.txt"), "a.txt");
    EXPECT_TRUE(fs::is_empty(disk.path));
}

TEST(FileOperatorUndo, ReportsAMoveWhoseSourcePathWasTakenAndLeavesTheItem) {
    TemporaryFolder source, destination;
    auto sources = threeFiles(source.path);
    auto run = paste(sources, destination.path, true);
    ASSERT_TRUE(run.outcome.operation);
    writeText(sources[1], "newcomer");
    EXPECT_FALSE(undo(*run.outcome.operation));
    EXPECT_EQ(readText(sources[1]), "newcomer");
    EXPECT_EQ(readText(destination / "b.txt"), "b.txt");
    EXPECT_EQ(readText(sources[0]), "a.txt");
}

TEST(FileOperatorUndo, TrashesCopiesAndCreatedFilesAndLeavesWhatCannotBeTrashed) {
    TemporaryFolder source, destination;
    fs::create_directories(source / "tree" / "inner");
    auto run = paste({source / "tree"}, destination.path, false);
    ASSERT_TRUE(run.outcome.operation);
    // Work the user did in the copy since.
    writeText(destination / "tree" / "inner" / "notes.txt", "mine");
    writeText(destination / "新建文件.txt", "");
    writeText(destination / "clip.txt", "");
    platform::MemoryTrash trash;
    trash.refused = {destination / "clip.txt"};
    auto undoneBy = [&](FileOperation::Kind kind, const fs::path& item) {
        return FileOperator::undo(operationOf(kind, {{std::nullopt, item.native()}}), trash);
    };
    EXPECT_EQ(FileOperator::undo(*run.outcome.operation, trash), UndoResult::undone);
    EXPECT_EQ(undoneBy(FileOperation::Kind::newFile, destination / "新建文件.txt"), UndoResult::undone);
    EXPECT_EQ(undoneBy(FileOperation::Kind::clipboardToFile, destination / "clip.txt"),
              UndoResult::incomplete);
    // Where the file system has no trash, the item stays and the undo says why.
    trash.refused.clear();
    trash.unsupported = {destination / "clip.txt"};
    EXPECT_EQ(undoneBy(FileOperation::Kind::clipboardToFile, destination / "clip.txt"),
              UndoResult::trashUnsupported);
    EXPECT_EQ(trash.trashed(), (std::vector<fs::path>{destination / "tree", destination / "新建文件.txt"}));
    // Nothing was removed for good.
    EXPECT_EQ(readText(destination / "tree" / "inner" / "notes.txt"), "mine");
    EXPECT_TRUE(fs::exists(destination / "clip.txt"));
}

TEST(FileOperatorUndo, RemovesALinkWhoseTargetIsGone) {
    TemporaryFolder folder;
    fs::create_symlink(folder / "gone", folder / "link");
    platform::MemoryTrash trash;
    EXPECT_EQ(FileOperator::undo(operationOf(FileOperation::Kind::symlink,
                                             {{(folder / "gone").native(), (folder / "link").native()}}),
                                 trash),
              UndoResult::undone);
    EXPECT_TRUE(fs::is_empty(folder.path));
    EXPECT_TRUE(trash.trashed().empty());
}

TEST(FileOperatorUndo, OfADeleteFailsAndChangesNothing) {
    TemporaryFolder folder;
    writeText(folder / "a", "a");
    EXPECT_FALSE(undo(operationOf(FileOperation::Kind::delete_, {{(folder / "a").native(), std::nullopt}})));
    EXPECT_EQ(readText(folder / "a"), "a");
}

TEST(FileOperatorUndo, NeverRemovesAProtectedPathAndSaysSo) {
    TemporaryFolder home;
    writeText(home / "a", "a");
    const char* previous = std::getenv("HOME");
    std::string saved = previous ? previous : "";
    ::setenv("HOME", home.path.c_str(), 1);
    bool undone = undo(operationOf(FileOperation::Kind::copy, {{std::nullopt, home.path.native()}}));
    ::setenv("HOME", saved.c_str(), 1);
    EXPECT_FALSE(undone);
    EXPECT_EQ(readText(home / "a"), "a");
}

TEST(FileOperatorUndo, CountsAnItemAlreadyGoneAsUndone) {
    TemporaryFolder folder;
    EXPECT_TRUE(undo(
        operationOf(FileOperation::Kind::copy, {{"/x", (folder / "gone").native()}, {"/y", std::nullopt}})));
}

TEST(FileOperatorUndo, LeavesAlonePathsThatHoldANul) {
    TemporaryFolder folder;
    fs::create_directory(folder / "kept");
    writeText(folder / "kept" / "a", "a");
    // The system would act on "kept", the part before the NUL, not on the recorded item.
    std::string cut = (folder / "kept").native() + std::string(1, '\0') + "/copy";
    EXPECT_FALSE(undo(operationOf(FileOperation::Kind::copy, {{std::nullopt, cut}})));
    EXPECT_FALSE(undo(operationOf(FileOperation::Kind::move, {{(folder / "elsewhere").native(), cut}})));
    EXPECT_EQ(readText(folder / "kept" / "a"), "a");
    EXPECT_FALSE(fs::exists(folder / "elsewhere"));
}

TEST(FileOperatorPaste, FailsForASourceHoldingANul) {
    TemporaryFolder source, destination;
    fs::create_directory(source / "whole");
    writeText(source / "whole" / "a", "a");
    fs::path cut = (source / "whole").native() + std::string(1, '\0') + "/a";
    auto run = paste({cut}, destination.path, true);
    EXPECT_EQ(run.outcome, (PasteOutcome{std::nullopt, 0, 1, true}));
    EXPECT_EQ(readText(source / "whole" / "a"), "a");
    EXPECT_TRUE(fs::is_empty(destination.path));
}
