#include "Extensions/FinderSync/PasteboardFileActions.h"

#include "tests/Extensions/FinderSync/TransferTestSupport.h"

namespace ondravell::test {
namespace {

namespace fs = std::filesystem;

class FilesOnTheClipboard : public TransferActionTest {
protected:
    std::vector<fs::path> makeFiles(std::size_t count) const {
        std::vector<fs::path> files;
        for (std::size_t i = 0; i < count; ++i)
            files.push_back(makeFileWith("src/f" + std::to_string(i) + ".txt", std::to_string(i)));
        return files;
    }
    void perform(std::string_view actionID) {
        extension().perform(MenuCommand{std::string(actionID), {}}, extension().currentContext());
    }
    void pasteInto(const fs::path& folder) {
        clickInto(folder);
        perform(PasteboardFileActions::pasteActionID);
    }
    static bool stateFileExists() { return fs::exists(*ClipboardState::fileURL()); }
};

TEST_F(FilesOnTheClipboard, CopyOffersTheFilesWithATokenThatTheStateFileRemembers) {
    std::vector<fs::path> files = makeFiles(2);
    select(files);
    perform(PasteboardFileActions::copyActionID);
    std::optional<platform::PasteboardFiles> offered = pasteboard.files();
    ASSERT_TRUE(offered && offered->token);
    EXPECT_EQ(offered->paths, files);
    EXPECT_FALSE(offered->cut);
    EXPECT_EQ(ClipboardState::read(), (ClipboardState{false, offered->token->value}));
    EXPECT_EQ(toasts.at(0), (ToastPayload{"已复制 2 个文件", "checkmark.circle.fill"}));
}

TEST_F(FilesOnTheClipboard, CutThenPasteMovesTheFilesAndForgetsTheCut) {
    std::vector<fs::path> files = makeFiles(3);
    fs::path target = makeFile("target", true);
    select(files);
    perform(PasteboardFileActions::cutActionID);
    EXPECT_TRUE(pasteboard.files()->cut);
    pasteInto(target);
    for (const fs::path& file : files) {
        EXPECT_FALSE(fs::exists(file));
        EXPECT_TRUE(fs::exists(target / file.filename()));
    }
    EXPECT_FALSE(stateFileExists());
    EXPECT_EQ(toastMessages(), (std::vector<std::string>{"已剪切 3 个文件", "已移动 3 个文件"}));
    EXPECT_EQ(progress.back(), (ProgressPayload{progress.front().id, "正在移动…", 3, 3, true}));
    ASSERT_EQ(recordedOperations().size(), 1u);
    EXPECT_EQ(recordedOperations()[0].kind, FileOperation::Kind::move);
}

TEST_F(FilesOnTheClipboard, CutThenPasteStoppedByAQuitMovesUpToAnItemAndKeepsTheRestCut) {
    std::vector<fs::path> files = makeFiles(3);
    fs::path target = makeFile("target", true);
    select(files);
    perform(PasteboardFileActions::cutActionID);
    notificationCenter.addObserver(std::string(OndravellIPC::progressUpdate),
                                   [this] { quit.request_stop(); });
    pasteInto(target);
    EXPECT_FALSE(fs::exists(files[0]));
    EXPECT_TRUE(fs::exists(target / files[0].filename()));
    EXPECT_TRUE(fs::exists(files[1]) && fs::exists(files[2]));
    EXPECT_TRUE(stateFileExists());
    ASSERT_EQ(recordedOperations().size(), 1u);
    EXPECT_EQ(recordedOperations()[0].items,
              (std::vector<FileOperationItem>{{files[0].native(), (target / files[0].filename()).native()}}));
}

TEST_F(FilesOnTheClipboard, CutThenFilesFromAnotherProgramAreCopied) {
    std::vector<fs::path> files = makeFiles(2);
    fs::path target = makeFile("target", true);
    select(files);
    perform(PasteboardFileActions::cutActionID);
    // Another program cuts the same files: its cut carries no token of ours.
    pasteboard.writeFiles(files, true, std::nullopt);
    pasteInto(target);
    EXPECT_TRUE(fs::exists(files[0]) && fs::exists(files[1]));
    EXPECT_EQ(contentsOf(target / "f1.txt"), "1");
    EXPECT_TRUE(stateFileExists());
    EXPECT_EQ(toastMessages().back(), "已粘贴 2 个文件");
}

TEST_F(FilesOnTheClipboard, CutThenTextOnTheClipboardPastesNothing) {
    select(makeFiles(1));
    perform(PasteboardFileActions::cutActionID);
    pasteboard.placeFromOutside("just text");
    pasteInto(makeFile("target", true));
    EXPECT_TRUE(fs::is_empty(container.root / "target"));
    EXPECT_EQ(toasts.size(), 1u);
}

TEST_F(FilesOnTheClipboard, CopyThenTwoPastesMakeTwoCopiesUnderFreeNames) {
    std::vector<fs::path> files = makeFiles(1);
    fs::path target = makeFile("target", true);
    select(files);
    perform(PasteboardFileActions::copyActionID);
    pasteInto(target);
    pasteInto(target);
    EXPECT_TRUE(fs::exists(target / "f0.txt"));
    EXPECT_TRUE(fs::exists(target / "f0 2.txt"));
    EXPECT_TRUE(fs::exists(files[0]));
    EXPECT_TRUE(stateFileExists());
    EXPECT_EQ(recordedOperations().size(), 2u);
}

TEST_F(FilesOnTheClipboard, StateWithACutThatIsNotABooleanCopies) {
    std::vector<fs::path> files = makeFiles(1);
    select(files);
    perform(PasteboardFileActions::cutActionID);
    std::int64_t token = pasteboard.files()->token->value;
    fs::path target = makeFile("target", true);
    std::ofstream(*ClipboardState::fileURL(), std::ios::trunc)
        << R"({"cut": "true", "changeCount": )" << token << "}";
    pasteInto(target);
    EXPECT_TRUE(fs::exists(files[0]));
    EXPECT_TRUE(fs::exists(target / "f0.txt"));
}

TEST_F(FilesOnTheClipboard, OnlyLocalFilesArePasted) {
    std::vector<fs::path> files = makeFiles(1);
    fs::path target = makeFile("target", true);
    pasteboard.writeFiles({"relative/f0.txt", "https://example.com/x", files[0]}, false, std::nullopt);
    pasteInto(target);
    EXPECT_EQ(toastMessages(), (std::vector<std::string>{"已粘贴 1 个文件"}));
    EXPECT_FALSE(fs::exists(target / "x"));
}

TEST_F(FilesOnTheClipboard, PasteWithOnlyAFileSelectedDoesNothing) {
    std::vector<fs::path> files = makeFiles(1);
    pasteboard.writeFiles(files, false, std::nullopt);
    select(files);
    perform(PasteboardFileActions::pasteActionID);
    EXPECT_TRUE(notificationCenter.postedNames().empty());
}

TEST_F(FilesOnTheClipboard, TargetedFolderWinsOverASelectedFolder) {
    fs::path targeted = makeFile("targeted", true);
    fs::path selected = makeFile("selected", true);
    EXPECT_EQ(PasteboardFileActions::pasteDestination(MenuContext({SelectedItem(selected, true)}, targeted)),
              targeted);
    EXPECT_EQ(PasteboardFileActions::pasteDestination(MenuContext(
                  {SelectedItem(makeFile("a.txt"), false), SelectedItem(selected, true)}, std::nullopt)),
              selected);
}

TEST_F(FilesOnTheClipboard, CopyWithoutSelectedItemsLeavesTheClipboard) {
    clickInto(makeFile("folder", true));
    pasteboard.placeFromOutside("before");
    perform(PasteboardFileActions::copyActionID);
    EXPECT_EQ(pasteboard.string(), "before");
    EXPECT_TRUE(notificationCenter.postedNames().empty());
}

TEST(ClipboardStateFile, ReadsEachKeyOnItsOwnAndAnythingElseAsNothing) {
    EXPECT_EQ(ClipboardState::decode(R"({"cut": true, "changeCount": 7})"), (ClipboardState{true, 7}));
    EXPECT_EQ(ClipboardState::decode(R"({"cut": true, "changeCount": "7"})"), (ClipboardState{true, -1}));
    EXPECT_EQ(ClipboardState::decode(R"({"cut": 1, "changeCount": 7})"), (ClipboardState{false, 7}));
    EXPECT_EQ(ClipboardState::decode("[true, 7]"), ClipboardState{});
    EXPECT_EQ(ClipboardState::decode("not json"), ClipboardState{});
}

TEST(ClipboardStateFile, WithoutAContainerNothingIsWrittenOrRemembered) {
    TempContainer container;
    container.makeUnavailable();
    ClipboardState{true, 5}.write();
    EXPECT_EQ(ClipboardState::read(), ClipboardState{});
}

} // namespace
} // namespace ondravell::test
