#include "Extensions/FinderSync/OpenWithActions.h"

#include "platform/memory/MemoryAppLauncher.h"
#include "tests/Extensions/FinderSync/FileActionTestSupport.h"

namespace ondravell::test {
namespace {

using Launch = platform::MemoryAppLauncher::Launch;
using Launches = std::vector<Launch>;
using Paths = std::vector<std::filesystem::path>;

class OpenWith : public FileActionTest {
protected:
    platform::MemoryAppLauncher launcher;

    void SetUp() override { OpenWithActions::install(extension(), launcher); }
};

TEST_F(OpenWith, TerminalOpensTheSelectedFolderRatherThanTheFirstFilesParent) {
    std::filesystem::path file = makeFile("a.txt");
    std::filesystem::path dir = folder("sub");
    select({file, dir});
    run(OpenWithActions::terminalActionID);
    EXPECT_EQ(launcher.launches(), (Launches{{"com.apple.Terminal", dir, {}}}));
}

TEST_F(OpenWith, TerminalOpensTheParentOfTheFirstOfTwoFiles) {
    std::filesystem::path first = makeFile("one/a.txt");
    select({first, makeFile("two/b.txt")});
    run(OpenWithActions::terminalActionID);
    ASSERT_EQ(launcher.launches().size(), 1u);
    EXPECT_EQ(launcher.launches()[0].workingDirectory, first.parent_path());
}

TEST_F(OpenWith, OnTheBackgroundBothOpenTheFolderClickedInto) {
    std::filesystem::path target = folder("target");
    clickInto(target);
    run(OpenWithActions::terminalActionID);
    run(OpenWithActions::editorActionID);
    EXPECT_EQ(launcher.launches(),
              (Launches{{"com.apple.Terminal", target, {}}, {"com.apple.TextEdit", {}, Paths{target}}}));
}

TEST_F(OpenWith, TerminalThatIsNotInstalledFallsBackToTheSystemTerminal) {
    writeSettings(R"({"preferredTerminalBundleID": "net.kovidgoyal.kitty"})");
    clickInto(folder("target"));
    run(OpenWithActions::terminalActionID);
    ASSERT_EQ(launcher.launches().size(), 1u);
    EXPECT_EQ(launcher.launches()[0].bundleID, "com.apple.Terminal");
}

TEST_F(OpenWith, InstalledTerminalOfTheUsersChoiceIsUsed) {
    launcher.install("net.kovidgoyal.kitty");
    writeSettings(R"({"preferredTerminalBundleID": "net.kovidgoyal.kitty"})");
    clickInto(folder("target"));
    run(OpenWithActions::terminalActionID);
    ASSERT_EQ(launcher.launches().size(), 1u);
    EXPECT_EQ(launcher.launches()[0].bundleID, "net.kovidgoyal.kitty");
}

TEST_F(OpenWith, EditorWithoutChoiceOrInstalledCatalogueEditorOpensEveryItemInTheSystemEditor) {
    Paths items{makeFile("a.txt"), makeFile("b.txt")};
    select(items);
    run(OpenWithActions::editorActionID);
    EXPECT_EQ(launcher.launches(), (Launches{{"com.apple.TextEdit", {}, items}}));
}

TEST_F(OpenWith, EditorWithoutChoiceTakesTheFirstInstalledCatalogueEditor) {
    launcher.install("dev.zed.Zed");
    launcher.install("com.sublimetext.4");
    select({makeFile("a.txt")});
    run(OpenWithActions::editorActionID);
    ASSERT_EQ(launcher.launches().size(), 1u);
    EXPECT_EQ(launcher.launches()[0].bundleID, "dev.zed.Zed");
}

TEST_F(OpenWith, InstalledEditorOfTheUsersChoiceWinsOverTheCatalogue) {
    launcher.install("com.microsoft.VSCode");
    launcher.install("org.example.Editor");
    writeSettings(R"({"preferredEditorBundleID": "org.example.Editor"})");
    select({makeFile("a.txt")});
    run(OpenWithActions::editorActionID);
    ASSERT_EQ(launcher.launches().size(), 1u);
    EXPECT_EQ(launcher.launches()[0].bundleID, "org.example.Editor");
}

} // namespace
} // namespace ondravell::test
