#include "core/FileOps/OperationJournal.h"

#include "core/FileOps/Leftovers.h"
#include "platform/memory/MemoryTrash.h"
#include "tests/core/FileOps/PrivateMounts.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sys/inotify.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondravell;
using ondravell::testing::inPrivateMounts;
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

// The steps between which a paste is killed: right before an item takes its name in the destination for
// good, right after (a move across file systems has not removed its source yet), and once it is done.
enum class KillAt { landing, landed, done };

struct KilledPaste {
    bool move;
    bool acrossFileSystems;
    // The source killed at: 0 is the file "a", 1 the folder "b" (which lands by a rename).
    std::size_t item;
    KillAt at;
};

std::string describe(const KilledPaste& paste) {
    const char* steps[] = {"landing", "landed", "done"};
    return std::string(paste.move ? "move" : "copy") + (paste.acrossFileSystems ? " across" : "") +
           ", item " + std::to_string(paste.item) + ", " + steps[static_cast<int>(paste.at)];
}

// The names in a folder other than the hidden partials of a copy cut short.
std::vector<std::string> visibleNames(const fs::path& folder) {
    std::vector<std::string> names = namesIn(folder);
    std::erase_if(names, [](const std::string& name) { return name.starts_with(Leftovers::movingPrefix); });
    return names;
}

TEST(OperationJournal, AKilledPasteRecordsExactlyTheItemsThatLandedWhereverItIsKilled) {
    TemporaryFolder memory("/dev/shm"), disk;
    struct stat first {
    }, second{};
    const bool twoFileSystems = !memory.path.empty() && ::stat(memory.path.c_str(), &first) == 0 &&
                                ::stat(disk.path.c_str(), &second) == 0 && first.st_dev != second.st_dev;
    std::vector<KilledPaste> cases;
    for (bool move : {false, true})
        for (bool across : {false, true})
            for (std::size_t item : {0u, 1u})
                for (KillAt at : {KillAt::landing, KillAt::landed, KillAt::done})
                    if (!across || twoFileSystems)
                        cases.push_back({move, across, item, at});

    for (const KilledPaste& paste : cases) {
        SCOPED_TRACE(describe(paste));
        TemporaryFolder container, destination, sourceRoot(paste.acrossFileSystems ? memory.path : disk.path);
        const OperationHistory history(container / "operation-history.json");
        writeText(sourceRoot / "a", "a");
        fs::create_directory(sourceRoot / "b");
        writeText(sourceRoot / "b" / "inner", "b");
        const std::vector<fs::path> sources{sourceRoot / "a", sourceRoot / "b"};
        struct stat destinationInfo {};
        ASSERT_EQ(::stat(destination.path.c_str(), &destinationInfo), 0);

        const pid_t child = ::fork();
        if (child == 0) {
            auto killAt = [&](KillAt at, const FileOperationItem& item) {
                if (at == paste.at && item.from == sources[paste.item].native())
                    ::raise(SIGKILL);
            };
            FileOperator::Steps steps;
            // The landing that counts is the one on the destination's file system: a move across file
            // systems first tries a rename.
            steps.landing = [&](const FileOperationItem& item, const FileTree::Identity& identity) {
                if (identity.device == destinationInfo.st_dev)
                    killAt(KillAt::landing, item);
            };
            steps.landed = [&](const FileOperationItem& item) { killAt(KillAt::landed, item); };
            steps.done = [&](const FileOperationItem& item) { killAt(KillAt::done, item); };
            OperationJournal::paste(history, sources, destination.path, paste.move, fixedNow, "OP-1", {},
                                    steps);
            ::_exit(2);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

        OperationJournal::tidyHistoryFolder(history);
        std::vector<FileOperationItem> expected;
        const std::size_t landed = paste.item + (paste.at == KillAt::landing ? 0 : 1);
        for (std::size_t i = 0; i < landed; ++i)
            expected.push_back({sources[i].native(), (destination.path / sources[i].filename()).native()});
        auto entries = history.loadAscending();
        ASSERT_EQ(entries.size(), expected.empty() ? 0u : 1u);
        if (expected.empty())
            continue;
        EXPECT_EQ(entries[0].items, expected);
        // Whatever shows under a name in the destination is recorded, and the partial copy of an item
        // that had not landed is gone with the journal that named it.
        std::vector<std::string> names;
        for (std::size_t i = 0; i < landed; ++i)
            names.push_back(sources[i].filename());
        EXPECT_EQ(namesIn(destination.path), names);

        // Undone, every source is whole where it was; a move across file systems killed before its
        // source went was ended by the tidying, so a move leaves nothing in the destination.
        platform::MemoryTrash trash;
        EXPECT_EQ(FileOperator::undo(entries[0], trash), UndoResult::undone);
        EXPECT_EQ(readText(sourceRoot / "a"), "a");
        EXPECT_EQ(readText(sourceRoot / "b" / "inner"), "b");
        if (paste.move) {
            EXPECT_EQ(visibleNames(destination.path), std::vector<std::string>{});
        }
    }
}

TEST(OperationJournal, ClearsAwayOnlyThePartialsADeadJournalNames) {
    TemporaryFolder container, destination;
    const OperationHistory history(container / "operation-history.json");
    const std::string partial = ".ondravell-moving-0F8FAD5B-D9CB-469F-A165-70867728950E";
    fs::create_directory(destination / partial);
    writeText(destination / "a.txt", "the user's");
    fs::create_directory(destination / "b");
    std::string journal;
    for (const fs::path& named : {destination / "a.txt", destination / "b", destination / partial})
        journal += nlohmann::json{{"partial", named.native()}}.dump() + "\n";
    writeText(container / ".operation-journal-OP-1", journal);

    OperationJournal::tidyHistoryFolder(history);
    EXPECT_EQ(namesIn(destination.path), (std::vector<std::string>{"a.txt", "b"}));
    EXPECT_TRUE(history.loadAscending().empty());
}

TEST(OperationJournal, AJournalOfItemsAndPartialsOnlyRecordsWhatLandedAndClearsThePartials) {
    // Item lines with the identity their item was to have, and bare partial lines: what a move across
    // file systems killed before its copy took a name, and one before its source went, wrote before
    // sources were recorded too.
    TemporaryFolder container, source, destination;
    const OperationHistory history(container / "operation-history.json");
    writeText(destination / "a", "a");
    writeText(source / "b", "b");
    const std::string partial = ".ondravell-moving-0F8FAD5B-D9CB-469F-A165-70867728950E";
    fs::create_directory(destination / partial);
    const auto a = FileTree::Identity::of(destination / "a");
    ASSERT_TRUE(a);
    FileOperation line{"OP-1",
                       FileOperation::Kind::move,
                       fixedNow,
                       {{(source / "a").native(), (destination / "a").native()}},
                       false};
    std::string journal = nlohmann::json{{"partial", (destination / partial).native()}}.dump() + "\n";
    nlohmann::json json = line.toJSON();
    json["device"] = a->device;
    json["inode"] = a->inode;
    journal += json.dump() + "\n";
    line.items = {{(source / "b").native(), (destination / "b").native()}};
    json = line.toJSON();
    json["device"] = a->device;
    json["inode"] = a->inode + 1;
    journal += json.dump() + "\n";
    writeText(container / ".operation-journal-OP-1", journal);

    OperationJournal::tidyHistoryFolder(history);
    line.items = {{(source / "a").native(), (destination / "a").native()}};
    EXPECT_EQ(history.loadAscending(), std::vector<FileOperation>{line});
    EXPECT_EQ(namesIn(destination.path), std::vector<std::string>{"a"});
    EXPECT_EQ(namesIn(source.path), std::vector<std::string>{"b"});
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

// The blocks of its file system left for a folder's files, and their size.
std::pair<std::uint64_t, std::uint64_t> freeBlocks(const fs::path& folder) {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0)
        return {0, 0};
    return {info.f_bavail, info.f_bsize};
}

TEST(OperationJournal, APasteTheHistoryHadNoRoomForIsRecordedOnceThereIsRoomAgain) {
    TemporaryFolder disk;
    const fs::path container = disk / "container";
    fs::create_directories(container);
    inPrivateMounts({{container, "tmpfs", "size=64k"}}, [&] {
        const OperationHistory history(container / "operation-history.json");
        const std::string longName(200, 'n');
        for (int i = 0; i < 20; ++i)
            history.append(FileOperation{"E" + std::to_string(i),
                                         FileOperation::Kind::copy,
                                         fixedNow,
                                         {{"/from/" + longName, "/to/" + longName}},
                                         false});
        // Left: one block, room for the paste's journal but not for the history written again.
        const auto [free, blockSize] = freeBlocks(container);
        ASSERT_GT(free, 1u);
        ASSERT_GT(fs::file_size(container / "operation-history.json"), blockSize);
        writeText(container / "filler", std::string((free - 1) * blockSize, 'x'));
        ASSERT_EQ(freeBlocks(container).first, 1u);

        writeText(disk / "a", "a");
        fs::create_directory(disk / "destination");
        const auto outcome =
            OperationJournal::paste(history, {disk / "a"}, disk / "destination", false, fixedNow, "OP-1");
        ASSERT_TRUE(outcome.operation);
        EXPECT_EQ(readText(disk / "destination" / "a"), "a");
        EXPECT_EQ(history.loadAscending().size(), 20u);
        // A tidying while there is still no room keeps what it could not write.
        OperationJournal::tidyHistoryFolder(history);
        EXPECT_EQ(history.loadAscending().size(), 20u);

        fs::remove(container / "filler");
        OperationJournal::tidyHistoryFolder(history);
        OperationJournal::tidyHistoryFolder(history);
        const auto entries = history.loadAscending();
        ASSERT_EQ(entries.size(), 21u);
        EXPECT_EQ(entries.back(), *outcome.operation);
        EXPECT_EQ(namesIn(container),
                  (std::vector<std::string>{"operation-history.json", "operation-history.json.lock"}));
    });
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

// What a move across file systems that takes an item away after copying it is killed in: the forward move,
// its rollback after a later item failed, or the undo of a finished move.
enum class Removal { forward, rollBack, undo };
// Right after the copy took the item's name (both are whole), right after the item to go was renamed
// away, or once the first entry of a folder being removed is gone.
enum class RemovalKill { copyNamed, renamedAway, halfRemoved };

// How the source changes between the kill and the tidying: not at all, at its top (a file's contents, a
// folder's new entry), a file two levels down edited to the same size under a later time, or a file added
// in a subfolder.
enum class SourceChange { none, top, deepEdit, deepAddition };

struct KilledRemoval {
    Removal removal;
    bool folder;
    RemovalKill at;
    SourceChange change = SourceChange::none;
};

std::string describe(const KilledRemoval& killed) {
    const char* removals[] = {"forward", "rollback", "undo"};
    const char* kills[] = {"copy named", "renamed away", "half removed"};
    const char* changes[] = {"", ", changed at its top", ", edited deep inside", ", added to deep inside"};
    return std::string(removals[static_cast<int>(killed.removal)]) +
           (killed.folder ? ", folder, " : ", file, ") + kills[static_cast<int>(killed.at)] +
           changes[static_cast<int>(killed.change)];
}

// Changes the source `item` as `change` says.
void changeSource(const fs::path& item, SourceChange change) {
    switch (change) {
    case SourceChange::none:
        break;
    case SourceChange::top:
        writeText(fs::is_directory(item) ? item / "added" : item, "changed");
        break;
    case SourceChange::deepEdit: {
        const fs::path file = item / "deeper" / "further" / "z";
        const auto written = fs::last_write_time(file);
        writeText(file, "Z");
        fs::last_write_time(file, written + std::chrono::seconds(1));
        break;
    }
    case SourceChange::deepAddition:
        writeText(item / "deeper" / "further" / "added", "added");
        break;
    }
}

// Every entry below `item` (itself for a file) with its contents, "/" for a folder.
std::map<std::string, std::string> treeOf(const fs::path& item) {
    std::map<std::string, std::string> tree;
    if (!fs::is_directory(fs::symlink_status(item)))
        return {{"", readText(item)}};
    for (const auto& entry : fs::recursive_directory_iterator(item))
        tree[fs::relative(entry.path(), item)] = entry.is_directory() ? "/" : readText(entry.path());
    return tree;
}

// Kills the calling process with SIGKILL right after the next event `mask` of `watched` (a folder, or
// what is in it): the kernel signals the inotify descriptor's owner as the event happens, and the signal
// is taken on the way back from the system call that caused it.
void killOnEvent(const fs::path& watched, std::uint32_t mask) {
    static const int events = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    std::signal(SIGIO, [](int) { ::raise(SIGKILL); });
    ::fcntl(events, F_SETOWN, ::getpid());
    ::fcntl(events, F_SETFL, ::fcntl(events, F_GETFL) | O_ASYNC);
    ::inotify_add_watch(events, watched.c_str(), mask);
}

TEST(OperationJournal, AKilledMoveAcrossFileSystemsLeavesEveryItemWholeAndItsUndoFinishes) {
    TemporaryFolder memory("/dev/shm"), disk;
    struct stat first {
    }, second{};
    if (memory.path.empty() || ::stat(memory.path.c_str(), &first) != 0 ||
        ::stat(disk.path.c_str(), &second) != 0 || first.st_dev == second.st_dev)
        GTEST_SKIP() << "needs a second file system at /dev/shm";
    std::vector<KilledRemoval> cases;
    for (Removal removal : {Removal::forward, Removal::rollBack, Removal::undo})
        for (bool folder : {false, true})
            for (RemovalKill at :
                 {RemovalKill::copyNamed, RemovalKill::renamedAway, RemovalKill::halfRemoved})
                // A file goes in one step.
                if (folder || at != RemovalKill::halfRemoved)
                    cases.push_back({removal, folder, at});
    cases.push_back({Removal::forward, false, RemovalKill::copyNamed, SourceChange::top});
    for (SourceChange change : {SourceChange::top, SourceChange::deepEdit, SourceChange::deepAddition})
        cases.push_back({Removal::forward, true, RemovalKill::copyNamed, change});

    for (const KilledRemoval& killed : cases) {
        SCOPED_TRACE(describe(killed));
        TemporaryFolder container, source(memory.path), destination(disk.path);
        const OperationHistory history(container / "operation-history.json");
        const std::string name = killed.folder ? "b" : "a";
        if (killed.folder) {
            fs::create_directories(source / name / "deeper" / "further");
            for (const char* entry : {"inner", "deeper/x", "deeper/y", "deeper/further/z"})
                writeText(source / name / entry, entry);
        } else {
            writeText(source / name, "a");
        }
        // A rollback follows a later item that cannot be moved.
        std::vector<fs::path> sources{source / name};
        if (killed.removal == Removal::rollBack)
            sources.push_back(source / "missing");
        std::optional<FileOperation> pasted;
        if (killed.removal == Removal::undo) {
            pasted =
                OperationJournal::paste(history, sources, destination.path, true, fixedNow, "OP-1").operation;
            ASSERT_TRUE(pasted);
        }
        // The item's copy takes its name where the item goes to; the item to go is where it comes from.
        const bool back = killed.removal != Removal::forward;
        const fs::path named = back ? source.path : destination.path;
        const fs::path left = back ? destination.path : source.path;
        const std::map<std::string, std::string> whole = treeOf(pasted ? destination / name : source / name);
        std::map<std::string, std::string> atSource = whole;

        const pid_t child = ::fork();
        if (child == 0) {
            auto arm = [&] {
                switch (killed.at) {
                case RemovalKill::copyNamed:
                    // A folder's copy is renamed into place, a file's linked.
                    killOnEvent(named, killed.folder ? IN_MOVED_TO : IN_CREATE);
                    break;
                case RemovalKill::renamedAway:
                    killOnEvent(left, IN_MOVED_FROM);
                    break;
                case RemovalKill::halfRemoved:
                    killOnEvent(left / name, IN_DELETE);
                    break;
                }
            };
            // A rollback is watched once the item's own move is done.
            FileOperator::Steps steps;
            if (killed.removal == Removal::rollBack)
                steps.done = [&](const FileOperationItem&) { arm(); };
            else
                arm();
            platform::MemoryTrash trash;
            if (killed.removal == Removal::undo)
                OperationJournal::undo(history, *pasted, trash);
            else
                OperationJournal::paste(history, sources, destination.path, true, fixedNow, "OP-2", {},
                                        steps);
            ::_exit(2);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
        if (killed.change != SourceChange::none) {
            changeSource(source / name, killed.change);
            atSource = treeOf(source / name);
        }

        OperationJournal::tidyHistoryFolder(history);
        // No part of the item under a name, and nothing hidden left.
        for (const fs::path& folder : {source.path, destination.path}) {
            for (const std::string& entry : namesIn(folder)) {
                EXPECT_FALSE(entry.starts_with(Leftovers::movingPrefix)) << folder / entry;
                if (entry == name) {
                    EXPECT_EQ(treeOf(folder / entry), folder == source.path ? atSource : whole)
                        << folder / entry;
                }
            }
        }
        for (const std::string& entry : namesIn(container.path))
            EXPECT_FALSE(entry.starts_with(OperationJournal::filePrefix)) << entry;
        // The history tells what is where: a move's item only in its destination, a copy's at both places,
        // and everything in the destination is recorded. (An undo cut short leaves the entry it undoes as
        // it was, for the undo to be run again.)
        std::set<std::string> recorded, copied;
        for (const FileOperation& entry : history.loadAscending()) {
            if (entry.id == "OP-1")
                continue;
            for (const FileOperationItem& item : entry.items) {
                EXPECT_EQ(fs::exists(*item.from), entry.kind == FileOperation::Kind::copy) << *item.from;
                EXPECT_TRUE(fs::exists(*item.to)) << *item.to;
                recorded.insert(*item.to);
                if (entry.kind == FileOperation::Kind::copy)
                    copied.insert(*item.to);
            }
        }
        // A source unchanged since its copy was made goes; a changed one stays, and its copy is recorded as
        // one.
        if (killed.change == SourceChange::none) {
            EXPECT_TRUE(copied.empty());
        } else {
            EXPECT_TRUE(fs::exists(source / name));
            EXPECT_TRUE(copied.contains(destination / name));
        }
        if (killed.removal != Removal::undo) {
            for (const std::string& entry : namesIn(destination.path))
                EXPECT_TRUE(recorded.contains(destination / entry)) << entry;
        }

        // Every entry's undo finishes and puts the item back where it was.
        platform::MemoryTrash trash;
        for (const FileOperation& entry : history.load())
            EXPECT_EQ(OperationJournal::undo(history, entry, trash), UndoResult::undone) << entry.id;
        EXPECT_EQ(namesIn(source.path), std::vector<std::string>{name});
        EXPECT_EQ(treeOf(source / name), atSource);
        for (const std::string& entry : namesIn(destination.path)) {
            EXPECT_EQ(trash.trashed(), std::vector<fs::path>{destination / entry});
        }
        // A finished undo leaves no journal of its own behind.
        for (const std::string& entry : namesIn(container.path))
            EXPECT_FALSE(entry.starts_with(OperationJournal::filePrefix)) << entry;
    }
}

TEST(Leftovers, NeverTouchesAnotherUsersItemsEvenAsRoot) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give an item to another user";
    const uid_t other = 4242;
    const std::string theirFile = ".ondravell-moving-0F8FAD5B-D9CB-469F-A165-70867728950E";
    const std::string theirFolder = ".ondravell-moving-7C9E6679-7425-40DE-944B-E07FC1F90AE7";
    const std::string ours = ".ondravell-moving-16FD2706-8BAF-433B-82EB-8C7FADA847DA";
    const auto later = std::chrono::system_clock::now() + std::chrono::minutes(2);
    TemporaryFolder destination, container;
    for (const fs::path& folder : {destination.path, container.path}) {
        writeText(folder / theirFile, "theirs");
        fs::create_directories(folder / theirFolder / "inner");
        writeText(folder / ours, "ours");
        for (const fs::path& item :
             {folder / theirFile, folder / theirFolder, folder / theirFolder / "inner"})
            ASSERT_EQ(::lchown(item.c_str(), other, other), 0) << item;
    }

    Leftovers::removeIn(destination.path, later);
    OperationJournal::tidyHistoryFolder(OperationHistory(container / "operation-history.json"), later);
    for (const fs::path& folder : {destination.path, container.path}) {
        EXPECT_EQ(namesIn(folder), (std::vector<std::string>{theirFile, theirFolder})) << folder;
        EXPECT_TRUE(fs::is_directory(folder / theirFolder / "inner")) << folder;
    }
}
