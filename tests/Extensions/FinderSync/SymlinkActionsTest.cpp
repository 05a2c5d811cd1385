#include "Extensions/FinderSync/SymlinkActions.h"

#include "tests/Extensions/FinderSync/FileActionTestSupport.h"

namespace ondravell::test {
namespace {

class Symlink : public FileActionTest {};

TEST_F(Symlink, LinkNameSkipsATakenNameAndPointsAtTheItemByAbsolutePath) {
    std::filesystem::path item = makeFile("dir/a.txt");
    makeFile("dir/a link.txt");
    select({item});
    run(SymlinkActions::actionID);
    std::filesystem::path link = item.parent_path() / "a link 2.txt";
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link), item);
    EXPECT_EQ(toastMessage(), "已创建 1 个符号链接");
}

TEST_F(Symlink, NameWithoutExtensionGetsTheSuffixAlone) {
    std::filesystem::path item = makeFile("Makefile");
    EXPECT_EQ(SymlinkActions::makeLinks({item}),
              (std::vector<FileOperationItem>{{item.string(), (container.root / "Makefile link").string()}}));
}

TEST_F(Symlink, SecondLinkForTheSameItemTakesTheNextName) {
    std::filesystem::path item = makeFile("x.ext");
    SymlinkActions::makeLinks({item});
    SymlinkActions::makeLinks({item});
    EXPECT_TRUE(std::filesystem::is_symlink(container.root / "x link.ext"));
    EXPECT_TRUE(std::filesystem::is_symlink(container.root / "x link 2.ext"));
}

TEST_F(Symlink, ItemThatCannotBeLinkedIsLeftOutOfTheOneHistoryEntryAndTheCount) {
    std::filesystem::path a = makeFile("a.txt");
    std::filesystem::path b = makeFile("b.txt");
    std::vector<FinderSyncController::Item> items{
        {a, false}, {container.root / "gone" / "c.txt", false}, {b, false}};
    controller.setSelection(std::move(items), container.root);
    run(SymlinkActions::actionID);
    ASSERT_EQ(history().size(), 1u);
    EXPECT_EQ(history()[0].kind, FileOperation::Kind::symlink);
    EXPECT_EQ(history()[0].items,
              (std::vector<FileOperationItem>{{a.string(), (container.root / "a link.txt").string()},
                                              {b.string(), (container.root / "b link.txt").string()}}));
    EXPECT_EQ(toastMessage(), "已创建 2 个符号链接");
}

TEST_F(Symlink, NothingLinkedRecordsNothingAndStaysSilent) {
    controller.setSelection({{container.root / "gone" / "c.txt", false}}, container.root);
    run(SymlinkActions::actionID);
    EXPECT_TRUE(history().empty());
    EXPECT_TRUE(posted().empty());
}

TEST_F(Symlink, ExistingEntryIsNeverReplaced) {
    std::filesystem::path item = makeFile("y.txt");
    // A dangling link holds the first name: listed, so skipped.
    std::filesystem::create_symlink(container.root / "nowhere", container.root / "y link.txt");
    SymlinkActions::makeLinks({item});
    EXPECT_EQ(std::filesystem::read_symlink(container.root / "y link.txt"), container.root / "nowhere");
    EXPECT_TRUE(std::filesystem::is_symlink(container.root / "y link 2.txt"));
}

} // namespace
} // namespace ondravell::test
