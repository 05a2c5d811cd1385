#include "App/Services/TransferHandler.h"

#include "tests/core/FileOps/TemporaryFolder.h"

#include <deque>
#include <gtest/gtest.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

struct Fixture {
    ondravell::testing::TemporaryFolder folder;
    std::optional<fs::path> chosen;
    int panels = 0;
    std::deque<std::function<void()>> mainQueue;
    std::vector<ProgressPayload> progress;
    std::vector<std::pair<std::string, std::string>> toasts;
    TransferHandler::Services services{
        [this](bool) {
            ++panels;
            return chosen;
        },
        [](std::function<void()> work) { work(); },
        [this](std::function<void()> work) { mainQueue.push_back(std::move(work)); },
        OperationHistory(folder / "history.json"),
        [this](const ProgressPayload& payload) { progress.push_back(payload); },
        [this](const std::string& message, const std::string& symbol) {
            toasts.emplace_back(message, symbol);
        },
    };

    Fixture() {
        fs::create_directory(folder / "to");
        chosen = folder / "to";
    }
    std::string file(std::string_view name) {
        std::ofstream(folder / name) << name;
        return (folder / name).string();
    }
    void run(std::vector<std::string> paths, bool move) {
        TransferHandler::run(TransferRequest{std::move(paths), move}, services);
        while (!mainQueue.empty()) {
            auto work = std::move(mainQueue.front());
            mainQueue.pop_front();
            work();
        }
    }
};

using Toast = std::pair<std::string, std::string>;

} // namespace

TEST(TransferHandler, NothingToTransferOrNoFolderChosenDoesNothing) {
    Fixture f;
    f.run({}, false);
    EXPECT_EQ(f.panels, 0);
    std::string a = f.file("a");
    for (std::optional<fs::path> chosen : {std::optional<fs::path>(), std::optional<fs::path>(fs::path())}) {
        f.chosen = chosen;
        f.run({a}, true);
    }
    EXPECT_EQ(f.panels, 2);
    EXPECT_TRUE(fs::exists(a));
    EXPECT_TRUE(f.toasts.empty());
}

TEST(TransferHandler, TwoSourcesShowOnlyTheToast) {
    Fixture f;
    f.run({f.file("a"), f.file("b")}, false);
    EXPECT_TRUE(f.progress.empty());
    EXPECT_EQ(f.toasts, (std::vector<Toast>{{"已复制 2 个文件到目标", "doc.on.doc"}}));
    EXPECT_TRUE(fs::exists(f.folder / "to/a") && fs::exists(f.folder / "to/b"));
    ASSERT_EQ(f.services.history.load().size(), 1u);
    EXPECT_EQ(f.services.history.load()[0].kind, FileOperation::Kind::copy);
}

TEST(TransferHandler, ThreeSourcesCloseTheProgressAtThreeOfThreeEvenWithAFailure) {
    Fixture f;
    f.run({f.file("a"), (f.folder / "missing").string(), f.file("c")}, false);
    ASSERT_GE(f.progress.size(), 2u);
    EXPECT_EQ(f.progress.back().completed, 3);
    EXPECT_EQ(f.progress.back().total, 3);
    EXPECT_TRUE(f.progress.back().done);
    EXPECT_EQ(f.progress.back().title, "正在复制…");
    for (std::size_t i = 0; i + 1 < f.progress.size(); ++i) {
        EXPECT_FALSE(f.progress[i].done); // no step comes after the closing one
        EXPECT_EQ(f.progress[i].id, f.progress.back().id);
    }
    EXPECT_EQ(f.toasts, (std::vector<Toast>{{"完成 2 个，1 个失败", "exclamationmark.triangle.fill"}}));
}

TEST(TransferHandler, MovesReportRollbackOrCount) {
    Fixture f;
    std::string a = f.file("a");
    f.run({a, (f.folder / "missing").string()}, true);
    EXPECT_TRUE(fs::exists(a)); // the first move was put back
    f.run({a, f.file("b"), f.file("c"), f.file("d")}, true);
    EXPECT_EQ(f.toasts,
              (std::vector<Toast>{{"移动失败，已回滚（未丢失任何文件）", "exclamationmark.triangle.fill"},
                                  {"已移动 4 个文件", "arrowshape.turn.up.right"}}));
    EXPECT_EQ(f.progress.back().title, "正在移动…");
    ASSERT_EQ(f.services.history.load().size(), 1u);
    EXPECT_EQ(f.services.history.load()[0].kind, FileOperation::Kind::move);
}
