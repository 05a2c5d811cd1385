#include "App/NewFile/DeleteConfirmer.h"

#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

struct Fixture {
    ondravell::testing::TemporaryFolder folder;
    bool answer = true;
    std::vector<DeleteConfirmer::Alert> alerts;
    std::vector<std::string> toasts;
    DeleteConfirmer::Services services{
        [this](const DeleteConfirmer::Alert& alert) {
            alerts.push_back(alert);
            return answer;
        },
        OperationHistory(folder / "history.json"),
        [this](const std::string& message, const std::string& symbol) {
            EXPECT_EQ(symbol, "trash");
            toasts.push_back(message);
        },
    };

    fs::path file(std::string_view name) {
        fs::path path = folder / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
        return path;
    }
    std::vector<std::string> historyPaths() const {
        std::vector<std::string> paths;
        for (const FileOperation& operation : services.history.load())
            for (const FileOperationItem& item : operation.items)
                paths.push_back(item.from.value_or("?") + (item.to ? " -> ?" : ""));
        return paths;
    }
};

} // namespace

TEST(DeleteConfirmerAlert, NamesTheFirstSixAndAnEllipsisLineFromSeven) {
    std::vector<std::string> paths{"/a/1", "/a/2", "/a/3", "/a/4", "/a/5", "/b/6.txt"};
    EXPECT_EQ(DeleteConfirmer::alertFor(paths),
              (DeleteConfirmer::Alert{"彻底删除 6 个项目？",
                                      "此操作不可恢复，不会进入回收站。\n\n1\n2\n3\n4\n5\n6.txt"}));
    paths.push_back("/a/7");
    EXPECT_EQ(DeleteConfirmer::alertFor(paths).informativeText,
              "此操作不可恢复，不会进入回收站。\n\n1\n2\n3\n4\n5\n6.txt\n…");
}

TEST(DeleteConfirmerRun, DecliningRemovesNothing) {
    Fixture f;
    f.answer = false;
    fs::path a = f.file("a");
    DeleteConfirmer::confirmAndDelete({a.string()}, f.services);
    EXPECT_TRUE(fs::exists(a));
    EXPECT_TRUE(f.toasts.empty());
    EXPECT_TRUE(f.historyPaths().empty());
}

TEST(DeleteConfirmerRun, ProtectedPathsAloneAreNeitherRemovedNorReported) {
    Fixture f;
    // "/home/u/.." names /home itself: judged and removed as that, it is refused.
    DeleteConfirmer::confirmAndDelete({"/", "/usr", "/home/u/..", "relative/path"}, f.services);
    ASSERT_EQ(f.alerts.size(), 1u);
    EXPECT_EQ(f.alerts[0].message, "彻底删除 4 个项目？"); // the count includes protected paths
    EXPECT_TRUE(fs::exists("/usr"));
    EXPECT_TRUE(f.toasts.empty());
    EXPECT_TRUE(f.historyPaths().empty());
}

TEST(DeleteConfirmerRun, RemovesExactlyTheStandardisedPathsAndLinksNotTheirTargets) {
    Fixture f;
    fs::path kept = f.file("target/inside.txt");
    fs::path folder = f.file("folder/sub/deep.txt").parent_path().parent_path();
    fs::path sibling = f.file("sibling.txt");
    fs::create_directory_symlink(f.folder / "target", f.folder / "link");
    const std::string missing = (f.folder / "gone").string();

    DeleteConfirmer::confirmAndDelete(
        {(f.folder / "folder/sub/..").string(), (f.folder / "link").string(), missing}, f.services);

    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(fs::exists(fs::symlink_status(f.folder / "link")));
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_TRUE(fs::exists(sibling));
    EXPECT_EQ(f.toasts, (std::vector<std::string>{"已彻底删除 2 个项目"}));
    EXPECT_EQ(f.historyPaths(), (std::vector<std::string>{folder.string(), (f.folder / "link").string()}));
}

TEST(DeleteConfirmerRun, OnlyAMissingPathLeftReportsZero) {
    Fixture f;
    DeleteConfirmer::confirmAndDelete({(f.folder / "gone").string()}, f.services);
    EXPECT_EQ(f.toasts, (std::vector<std::string>{"已彻底删除 0 个项目"}));
    EXPECT_TRUE(f.historyPaths().empty());
}
