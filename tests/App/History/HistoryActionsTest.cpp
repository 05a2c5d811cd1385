#include "App/History/HistoryActions.h"

#include "App/History/HistoryRow.h"
#include "App/Host/MenuBarContentModel.h"
#include "core/FileOps/FileOperator.h"
#include "platform/memory/MemoryTrash.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace ondravell;
using namespace std::chrono;
using Kind = FileOperation::Kind;

namespace {

FileOperation entry(std::string id, Kind kind, bool undone = false,
                    std::vector<FileOperationItem> items = {}) {
    return FileOperation{std::move(id), kind, system_clock::now(), std::move(items), undone};
}

struct Toast {
    std::string message;
    std::string symbol;
    bool operator==(const Toast&) const = default;
};

class HistoryActionsTest : public ::testing::Test {
protected:
    // The history is kept oldest first, so entries are appended oldest first.
    void record(const std::vector<FileOperation>& oldestFirst) {
        for (const FileOperation& op : oldestFirst)
            history.append(op);
    }

    ondravell::testing::TemporaryFolder folder;
    OperationHistory history{folder / "operation-history.json"};
    std::vector<Toast> toasts;
    platform::MemoryTrash trash;
    HistoryActions actions{history, [this](const FileOperation& op) { return FileOperator::undo(op, trash); },
                           [this](const std::string& m, const std::string& s) {
                               toasts.push_back({m, s});
                           }};
};

} // namespace

TEST_F(HistoryActionsTest, LatestUndoableSkipsDeletesAndUndoneEntries) {
    struct Case {
        std::vector<FileOperation> oldestFirst;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {{}, std::nullopt},
        {{entry("d1", Kind::delete_), entry("d2", Kind::delete_)}, std::nullopt},
        {{entry("c", Kind::copy), entry("m", Kind::move, true), entry("d", Kind::delete_)}, "c"},
        {{entry("old", Kind::symlink), entry("new", Kind::newFile)}, "new"},
    };
    for (const Case& c : cases) {
        history.clear();
        record(c.oldestFirst);
        std::optional<FileOperation> latest = actions.latestUndoable();
        EXPECT_EQ(latest ? std::optional(latest->id) : std::nullopt, c.expected);
    }
}

TEST_F(HistoryActionsTest, UndoOfATwoItemCopyTrashesBothAndMarksTheEntry) {
    for (const char* name : {"a.txt", "b.txt"}) {
        ondravell::testing::writeText(folder / name, "x");
        ondravell::testing::writeText(folder / (std::string("copy of ") + name), "x");
    }
    FileOperation copy = entry("c", Kind::copy, false,
                               {{(folder / "a.txt").string(), (folder / "copy of a.txt").string()},
                                {(folder / "b.txt").string(), (folder / "copy of b.txt").string()}});
    record({copy});

    actions.undo(copy);

    EXPECT_EQ(trash.trashed(),
              (std::vector<std::filesystem::path>{folder / "copy of a.txt", folder / "copy of b.txt"}));
    ASSERT_EQ(history.load().size(), 1u);
    EXPECT_TRUE(history.load().front().undone);
    EXPECT_EQ(toasts, (std::vector<Toast>{{"已撤销：复制 2 个项目", "arrow.uturn.backward"}}));
    EXPECT_EQ(HistoryRow::make(history.load().front()).status, HistoryRow::Status::undone);
    EXPECT_EQ(actions.latestUndoable(), std::nullopt);
}

TEST_F(HistoryActionsTest, UndoIgnoresDeletesAndUndoneEntriesAndReportsFailures) {
    ondravell::testing::writeText(folder / "kept.txt", "x");
    FileOperation deleted =
        entry("d", Kind::delete_, false, {{(folder / "kept.txt").string(), std::nullopt}});
    FileOperation undone = entry("u", Kind::newFile, true, {{std::nullopt, (folder / "kept.txt").string()}});
    record({deleted, undone});
    actions.undo(deleted);
    actions.undo(undone);
    EXPECT_TRUE(toasts.empty());
    EXPECT_TRUE(std::filesystem::exists(folder / "kept.txt"));

    // A move whose moved item vanished cannot be put back; the entry stays undoable.
    FileOperation move =
        entry("m", Kind::move, false, {{(folder / "gone.txt").string(), (folder / "sub/gone.txt").string()}});
    record({move});
    actions.undo(move);
    EXPECT_EQ(toasts, (std::vector<Toast>{{"撤销失败", "exclamationmark.triangle.fill"}}));
    EXPECT_EQ(actions.latestUndoable()->id, "m");
}

TEST(HistoryRowTest, ShowsKindSymbolTintNameTimeAndStatus) {
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    FileOperation link{"l",
                       Kind::symlink,
                       sys_days(year(2024) / 3 / 3) + hours(9) + minutes(5),
                       {{"/home/u/a.txt", "/home/u/a link.txt"}},
                       false};
    HistoryRow row = HistoryRow::make(link);
    EXPECT_EQ(row.symbol, "link");
    EXPECT_EQ(row.tint, HistoryRow::Tint::teal);
    EXPECT_EQ(row.title, "创建符号链接");
    EXPECT_EQ(row.detail, "a link.txt · 03-03 09:05");
    EXPECT_EQ(row.status, HistoryRow::Status::undoButton);

    link.kind = Kind::delete_;
    EXPECT_EQ(HistoryRow::make(link).status, HistoryRow::Status::notUndoable);
    EXPECT_EQ(HistoryRow::make(link).tint, HistoryRow::Tint::red);
    link.undone = true;
    EXPECT_EQ(HistoryRow::make(link).status, HistoryRow::Status::undone);
}

TEST_F(HistoryActionsTest, PopupUndoRowShowsTheNextEntryThenDisappears) {
    for (const char* name : {"one.txt", "two.txt"})
        ondravell::testing::writeText(folder / name, "");
    record({entry("first", Kind::newFile, false, {{std::nullopt, (folder / "one.txt").string()}}),
            entry("gone", Kind::delete_),
            entry("second", Kind::newFile, false, {{std::nullopt, (folder / "two.txt").string()}})});
    bool enabled = false;
    MenuBarContentModel model(actions, [&enabled] { return enabled; });
    model.refresh();
    EXPECT_FALSE(model.extensionEnabled());
    EXPECT_EQ(model.undoDescription(), "新建文件 · two.txt");

    enabled = true;
    model.undo();
    EXPECT_EQ(trash.trashed(), std::vector<std::filesystem::path>{folder / "two.txt"});
    EXPECT_EQ(model.undoDescription(), "新建文件 · one.txt");
    // The extension's state is read again only when the popup opens.
    EXPECT_FALSE(model.extensionEnabled());
    model.undo();
    EXPECT_EQ(model.lastUndoable(), std::nullopt);
    EXPECT_EQ(model.undoDescription(), "");
    model.refresh();
    EXPECT_TRUE(model.extensionEnabled());
}

TEST_F(HistoryActionsTest, UndoRunsOnAWorkerAndStoresTheEntryBeforeItsToast) {
    ondravell::testing::writeText(folder / "copy.txt", "x");
    FileOperation copy = entry("c", Kind::copy, false, {{std::nullopt, (folder / "copy.txt").string()}});
    record({copy});
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::thread worker;
    std::vector<HistoryActions::Task> mainQueue;
    bool storedBeforeToast = false;
    bool done = false;
    HistoryActions onWorker{
        history,
        [&](const FileOperation& op) {
            released.wait();
            return FileOperator::undo(op, trash);
        },
        [&](const std::string& m, const std::string& s) {
            storedBeforeToast = history.load().front().undone;
            toasts.push_back({m, s});
        },
        HistoryActions::Threads{[&](HistoryActions::Task task) { worker = std::thread(std::move(task)); },
                                [&](HistoryActions::Task task) { mainQueue.push_back(std::move(task)); }}};

    // The call returns while the undo is still held up on its worker; a second click is ignored.
    onWorker.undo(copy, [&] { done = true; });
    onWorker.undo(copy);
    ASSERT_TRUE(worker.joinable());
    // Meanwhile the main thread is free for a toast of its own.
    toasts.push_back({"已复制路径", "checkmark.circle.fill"});
    release.set_value();
    worker.join();
    for (auto& task : mainQueue)
        task();
    EXPECT_TRUE(storedBeforeToast);
    EXPECT_TRUE(done);
    EXPECT_EQ(toasts, (std::vector<Toast>{{"已复制路径", "checkmark.circle.fill"},
                                          {"已撤销：复制 1 个项目", "arrow.uturn.backward"}}));
}

TEST_F(HistoryActionsTest, UndoRefusedByAMissingTrashKeepsTheItemAndSaysWhy) {
    ondravell::testing::writeText(folder / "copy.txt", "x");
    FileOperation copy = entry("c", Kind::copy, false, {{std::nullopt, (folder / "copy.txt").string()}});
    record({copy});
    trash.unsupported = {folder / "copy.txt"};
    actions.undo(copy);
    EXPECT_TRUE(std::filesystem::exists(folder / "copy.txt"));
    EXPECT_FALSE(history.load().front().undone);
    EXPECT_EQ(toasts, (std::vector<Toast>{
                          {"撤销失败：此位置不支持回收站，文件已保留", "exclamationmark.triangle.fill"}}));
}
