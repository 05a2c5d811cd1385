#include "Extensions/FinderSync/FavoriteTransferActions.h"

#include "core/SharedConfig/TransferRequest.h"
#include "tests/Extensions/FinderSync/TransferTestSupport.h"

#include <nlohmann/json.hpp>

namespace ondravell::test {
namespace {

using Titles = std::vector<std::string>;
namespace fs = std::filesystem;

class FavoriteTransfer : public TransferActionTest {
protected:
    void useFavorites(const std::vector<fs::path>& folders) {
        nlohmann::json favorites = nlohmann::json::array();
        for (const fs::path& folder : folders)
            favorites.push_back(folder.string());
        writeSettings(nlohmann::json{
            {"enabledActionIDs", {"copy.to", "move.to"}},
            {"favoriteTargets",
             favorites}}.dump());
    }
    std::vector<fs::path> makeFiles(std::size_t count, const std::string& folder = "src") const {
        std::vector<fs::path> files;
        for (std::size_t i = 0; i < count; ++i)
            files.push_back(makeFileWith(folder + "/f" + std::to_string(i) + ".txt", std::to_string(i)));
        return files;
    }
    void choose(const std::string& action, const std::string& title) {
        if (std::optional<MenuCommand> command = commandTitled(topLevelItem(action), title))
            extension().perform(*command, extension().currentContext());
    }
};

TEST_F(FavoriteTransfer, SubmenuShowsTheFirstEightOfTenFavoritesThenTheOtherFolderItem) {
    std::vector<fs::path> folders;
    for (int i = 0; i < 10; ++i)
        folders.push_back(makeFile("fav" + std::to_string(i), true));
    useFavorites(folders);
    select(makeFiles(1));
    MenuItem copyTo = topLevelItem("复制到");
    ASSERT_TRUE(copyTo.submenu);
    EXPECT_EQ(titles(*copyTo.submenu),
              (Titles{"fav0", "fav1", "fav2", "fav3", "fav4", "fav5", "fav6", "fav7", "---", "其他文件夹…"}));
    EXPECT_EQ(copyTo.submenu->items[0].image, (MenuImage{"folder", false}));
    EXPECT_EQ(copyTo.submenu->items.back().command, (MenuCommand{"copy.to.other", ""}));
    EXPECT_EQ(topLevelItem("移动到").submenu->items.back().command, (MenuCommand{"move.to.other", ""}));
}

TEST_F(FavoriteTransfer, WithoutFavoritesOnlyTheOtherFolderItemIsOffered) {
    useFavorites({});
    select(makeFiles(1));
    EXPECT_EQ(titles(*topLevelItem("移动到").submenu), (Titles{"其他文件夹…"}));
}

TEST_F(FavoriteTransfer, FavoritesWithTheSameNameEachTransferToTheirOwnFolder) {
    fs::path first = makeFile("one/Inbox", true);
    fs::path second = makeFile("two/Inbox", true);
    useFavorites({first, second});
    select(makeFiles(1));
    Menu submenu = *topLevelItem("复制到").submenu;
    ASSERT_EQ(titles(submenu), (Titles{"Inbox", "Inbox", "---", "其他文件夹…"}));
    extension().perform(*submenu.items[1].command, extension().currentContext());
    EXPECT_TRUE(fs::exists(second / "f0.txt"));
    EXPECT_FALSE(fs::exists(first / "f0.txt"));
}

TEST_F(FavoriteTransfer, TwoItemsAreCopiedWithoutProgressAndRecorded) {
    fs::path target = makeFile("target", true);
    useFavorites({target});
    std::vector<fs::path> files = makeFiles(2);
    select(files);
    choose("复制到", "target");
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(contentsOf(target / "f1.txt"), "1");
    EXPECT_TRUE(fs::exists(files[0]));
    ASSERT_EQ(toasts.size(), 1u);
    EXPECT_EQ(toasts[0], (ToastPayload{"已复制 2 个文件到目标", "checkmark.circle.fill"}));
    ASSERT_EQ(recordedOperations().size(), 1u);
    EXPECT_EQ(recordedOperations()[0].kind, FileOperation::Kind::copy);
}

TEST_F(FavoriteTransfer, ThreeItemsAreMovedWithProgressEndingInADoneMessage) {
    fs::path target = makeFile("target", true);
    useFavorites({target});
    std::vector<fs::path> files = makeFiles(3);
    select(files);
    choose("移动到", "target");
    EXPECT_FALSE(fs::exists(files[2]));
    EXPECT_EQ(contentsOf(target / "f2.txt"), "2");
    ASSERT_EQ(progress.size(), 4u);
    EXPECT_EQ(progress[0].title, "正在移动…");
    EXPECT_EQ(progress[3], (ProgressPayload{progress[0].id, "正在移动…", 3, 3, true}));
    EXPECT_EQ(toastMessages(), (std::vector<std::string>{"已移动 3 个文件"}));
    ASSERT_EQ(recordedOperations().size(), 1u);
    EXPECT_EQ(recordedOperations()[0].kind, FileOperation::Kind::move);
    EXPECT_EQ(recordedOperations()[0].items.size(), 3u);
}

TEST_F(FavoriteTransfer, FortyItemsReportEverySecondItemAndTheEnd) {
    fs::path target = makeFile("target", true);
    useFavorites({target});
    select(makeFiles(40));
    choose("复制到", "target");
    ASSERT_EQ(progress.size(), 21u);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(progress[i].completed, static_cast<std::int64_t>(2 * (i + 1)));
        EXPECT_FALSE(progress[i].done);
    }
    EXPECT_EQ(progress[20], (ProgressPayload{progress[0].id, "正在复制…", 40, 40, true}));
}

TEST_F(FavoriteTransfer, FavoriteRemovedBetweenMenuAndClickDoesNothing) {
    fs::path removed = makeFile("removed", true);
    fs::path kept = makeFile("kept", true);
    useFavorites({removed, kept});
    std::vector<fs::path> files = makeFiles(1);
    select(files);
    std::optional<MenuCommand> command = commandTitled(topLevelItem("移动到"), "removed");
    // The user drops the first favourite while the menu is open: the item must not move the files into
    // the folder that now comes first.
    useFavorites({kept});
    ASSERT_TRUE(command);
    extension().perform(*command, extension().currentContext());
    EXPECT_TRUE(fs::exists(files[0]));
    EXPECT_TRUE(fs::is_empty(kept));
    EXPECT_TRUE(fs::is_empty(removed));
    EXPECT_TRUE(notificationCenter.postedNames().empty());
}

TEST_F(FavoriteTransfer, RelativeFavoriteIsNoPlaceToTransferTo) {
    // A relative entry would land in whatever folder the file manager happens to run in.
    fs::path inbox = makeFile("inbox", true);
    useFavorites({"inbox"});
    std::vector<fs::path> files = makeFiles(1);
    select(files);
    fs::path previous = fs::current_path();
    fs::current_path(inbox.parent_path());
    choose("移动到", "inbox");
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_empty(inbox));
    EXPECT_TRUE(fs::exists(files[0]));
    EXPECT_TRUE(toasts.empty());
}

TEST_F(FavoriteTransfer, MoveThatFailsHalfWayIsRolledBackAndSaysOnlyThat) {
    fs::path target = makeFile("target", true);
    useFavorites({target});
    std::vector<fs::path> files = makeFiles(3);
    select({files[0], container.root / "src/missing.txt", files[2]});
    choose("移动到", "target");
    EXPECT_TRUE(fs::exists(files[0]));
    EXPECT_TRUE(fs::is_empty(target));
    ASSERT_EQ(toasts.size(), 1u);
    EXPECT_EQ(toasts[0],
              (ToastPayload{"移动失败，已回滚（未丢失任何文件）", "exclamationmark.triangle.fill"}));
    EXPECT_TRUE(recordedOperations().empty());
    EXPECT_TRUE(progress.back().done);
}

TEST_F(FavoriteTransfer, CopyWithOneFailedItemTellsBothCounts) {
    fs::path target = makeFile("target", true);
    useFavorites({target});
    std::vector<fs::path> files = makeFiles(4);
    files.insert(files.begin() + 2, container.root / "src/missing.txt");
    select(files);
    choose("复制到", "target");
    EXPECT_EQ(toastMessages(), (std::vector<std::string>{"完成 4 个，1 个失败"}));
    ASSERT_EQ(recordedOperations().size(), 1u);
    EXPECT_EQ(recordedOperations()[0].items.size(), 4u);
}

TEST_F(FavoriteTransfer, OtherFolderItemHandsTheSelectionToTheApplication) {
    useFavorites({});
    std::vector<fs::path> files = makeFiles(2);
    select(files);
    choose("移动到", "其他文件夹…");
    std::optional<std::string> bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingTransferName);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(decodeRecord<TransferRequest>(*bytes),
              (TransferRequest{{files[0].string(), files[1].string()}, true}));
    EXPECT_EQ(notificationCenter.postedNames(),
              (std::vector<std::string>{std::string(OndravellIPC::transferRequest)}));
}

TEST_F(FavoriteTransfer, OtherFolderWithoutSelectedItemsSendsNothing) {
    clickInto(makeFile("folder", true));
    FavoriteTransferActions::transferToOther(extension(), false, extension().currentContext());
    EXPECT_FALSE(OndravellIPC::readPendingFile(OndravellIPC::pendingTransferName));
    EXPECT_TRUE(notificationCenter.postedNames().empty());
}

TEST_F(FavoriteTransfer, OtherFolderRequestThatCannotBeWrittenIsNotAnnounced) {
    std::vector<fs::path> files = makeFiles(1);
    fs::create_directories(container.path / OndravellIPC::pendingTransferName);
    select(files);
    FavoriteTransferActions::transferToOther(extension(), true, extension().currentContext());
    EXPECT_TRUE(notificationCenter.postedNames().empty());
}

} // namespace
} // namespace ondravell::test
