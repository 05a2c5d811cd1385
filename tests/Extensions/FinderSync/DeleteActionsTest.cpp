#include "Extensions/FinderSync/DeleteActions.h"

#include "tests/Extensions/FinderSync/FileActionTestSupport.h"

namespace ondravell::test {
namespace {

using Names = std::vector<std::string>;

class DeleteRequest : public FileActionTest {
protected:
    std::optional<std::string> pendingDelete() const {
        return OndravellIPC::readPendingFile(OndravellIPC::pendingDeleteName);
    }
    // Selects paths whether or not they exist.
    void selectPaths(const std::vector<std::filesystem::path>& paths) {
        std::vector<FinderSyncController::Item> items;
        for (const auto& path : paths)
            items.push_back({path, false});
        controller.setSelection(std::move(items), container.root);
    }
};

TEST_F(DeleteRequest, HomeFolderWithAFileInsideSendsOnlyTheFile) {
    std::filesystem::path home = folder("home");
    std::filesystem::path file = makeFile("home/notes.txt");
    const char* previous = std::getenv("HOME");
    std::string saved = previous ? previous : "";
    ::setenv("HOME", home.c_str(), 1);
    select({home, file});
    run(DeleteActions::deleteActionID);
    ::setenv("HOME", saved.c_str(), 1);
    EXPECT_EQ(pendingDelete(), file.string());
    EXPECT_EQ(posted(), (Names{std::string(OndravellIPC::deleteRequest)}));
}

TEST_F(DeleteRequest, TwoFilesGoOnTwoLinesWithoutAFinalLineFeed) {
    std::filesystem::path a = makeFile("a.txt");
    std::filesystem::path b = makeFile("b.txt");
    select({a, b});
    run(DeleteActions::deleteActionID);
    EXPECT_EQ(pendingDelete(), a.string() + "\n" + b.string());
}

TEST_F(DeleteRequest, PathsAreStandardisedBeforeTheyAreJudged) {
    selectPaths({container.root / "x" / ".." / "a.txt", "/usr/./bin/.."});
    run(DeleteActions::deleteActionID);
    EXPECT_EQ(pendingDelete(), (container.root / "a.txt").string());
}

TEST_F(DeleteRequest, PathHoldingALineFeedIsDroppedRatherThanSplitIntoTwo) {
    std::filesystem::path kept = makeFile("kept.txt");
    selectPaths({container.root / "evil\n/etc/passwd", kept});
    run(DeleteActions::deleteActionID);
    EXPECT_EQ(pendingDelete(), kept.string());
}

TEST_F(DeleteRequest, PathThatIsNotUTF8IsDropped) {
    selectPaths({container.root / "bad\xff.txt"});
    run(DeleteActions::deleteActionID);
    EXPECT_FALSE(pendingDelete().has_value());
    EXPECT_TRUE(posted().empty());
}

TEST_F(DeleteRequest, OnlyProtectedPathsSendNothing) {
    selectPaths({"/", "/usr", "/home/someone"});
    run(DeleteActions::deleteActionID);
    EXPECT_FALSE(pendingDelete().has_value());
    EXPECT_TRUE(posted().empty());
}

TEST_F(DeleteRequest, FailedWriteDoesNotPostSoAnEarlierRequestIsNotActedOn) {
    std::filesystem::create_directories(container.path / OndravellIPC::pendingDeleteName / "occupied");
    select({makeFile("a.txt")});
    run(DeleteActions::deleteActionID);
    EXPECT_TRUE(posted().empty());
}

TEST_F(DeleteRequest, WithoutContainerNothingIsPosted) {
    container.makeUnavailable();
    select({makeFile("a.txt")});
    run(DeleteActions::deleteActionID);
    EXPECT_TRUE(posted().empty());
}

TEST_F(DeleteRequest, HiddenFileToggleOnlyPostsItsNotification) {
    select({makeFile("a.txt")});
    run(DeleteActions::showHiddenActionID);
    EXPECT_EQ(posted(), (Names{std::string(OndravellIPC::toggleFinderHidden)}));
    EXPECT_FALSE(pendingDelete().has_value());
    EXPECT_FALSE(std::filesystem::exists(container.path / OndravellIPC::pendingNewFileName));
}

} // namespace
} // namespace ondravell::test
