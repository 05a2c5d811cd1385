#include "App/Services/ServicesProvider.h"

#include "App/Services/ServiceLaunch.h"
#include "App/Services/ServicesScripts.h"
#include "tests/App/Services/FileActionTestBed.h"

#include <gtest/gtest.h>

using namespace ondravell;
namespace fs = std::filesystem;
using ondravell::testing::readText;
using ondravell::testing::writeText;

namespace {

class ServicesProviderTest : public test::FileActionTestBed {
protected:
    void perform(std::string_view entry, const std::vector<fs::path>& paths) {
        std::vector<std::string> texts;
        for (const fs::path& path : paths)
            texts.push_back(path.string());
        provider.perform(entry, texts);
    }

    std::optional<fs::path> chosen;
    std::vector<fs::path> newFileWindows;
    ServicesProvider provider{
        services(), {[this] { return chosen; }, [this](const fs::path& f) { newFileWindows.push_back(f); }}};
};

} // namespace

TEST_F(ServicesProviderTest, CopiesPathsFilesAndTheFirstFilesHash) {
    fs::path a = file("a.txt", "hello"), b = file("b c.txt"), c = file("c.txt");
    perform("odCopyPath", {a, b, c});
    EXPECT_EQ(pasteboard.string(), a.string() + "\n" + b.string() + "\n" + c.string());
    EXPECT_TRUE(toasts.empty());

    perform("odCopyFiles", {a, b});
    ASSERT_TRUE(pasteboard.files());
    EXPECT_EQ(pasteboard.files()->paths, (std::vector<fs::path>{a, b}));
    EXPECT_EQ(toasts, (std::vector<Toast>{{"已复制 2 个文件", "doc.on.doc"}}));

    perform("odHash", {a, b});
    EXPECT_EQ(pasteboard.string(), "2cf24dba5fb0a30e26e83b2ac5b9e29e1b161e5c1fa7425e73043362938b9824");
    EXPECT_EQ(toasts.size(), 1u);

    // A name that is not UTF-8 cannot go on the clipboard as text: the whole copy is refused, while the
    // hash reads the file by its bytes.
    fs::path bytes = file("\xff.txt", "hello");
    perform("odCopyPath", {bytes, a});
    EXPECT_EQ(toasts.back(), (Toast{"文件名不是 UTF-8 文本，无法复制路径", "exclamationmark.triangle.fill"}));
    pasteboard.clear();
    perform("odHash", {bytes, c});
    EXPECT_EQ(pasteboard.string(), "2cf24dba5fb0a30e26e83b2ac5b9e29e1b161e5c1fa7425e73043362938b9824");

    // No paths or an unknown entry: nothing.
    pasteboard.clear();
    toasts.clear();
    perform("odCopyPath", {});
    perform("odcopypath", {a});
    EXPECT_EQ(pasteboard.string(), std::nullopt);
    EXPECT_TRUE(toasts.empty());
    // An item that cannot be located (a name relative to a folder that was gone) refuses the whole
    // request: hashing the next file instead would hand over the wrong digest.
    for (const char* entry : {"odHash", "odCopyPath"}) {
        perform(entry, {"a.txt", c});
        EXPECT_EQ(pasteboard.string(), std::nullopt) << entry;
        ASSERT_FALSE(toasts.empty());
        EXPECT_EQ(toasts.back(),
                  (Toast{"无法确定所选项目的位置，未执行操作", "exclamationmark.triangle.fill"}));
    }
}

TEST_F(ServicesProviderTest, NewFileAndTerminalUseTheItemsFolder) {
    fs::path a = file("a.txt");
    fs::create_directories(folder / "Docs");
    perform("odNewFile", {a});
    perform("odNewFile", {folder / "Docs", a});
    EXPECT_EQ(newFileWindows, (std::vector<fs::path>{folder.path, folder / "Docs"}));
    launcher.install("com.microsoft.VSCode");
    perform("odOpenTerminal", {a});
    perform("odOpenTerminal", {folder / "Docs"});
    using Launch = platform::MemoryAppLauncher::Launch;
    EXPECT_EQ(launcher.launches(), (std::vector<Launch>{{"com.apple.Terminal", folder.path, {}},
                                                        {"com.apple.Terminal", folder / "Docs", {}}}));
}

TEST_F(ServicesProviderTest, MoveToAChosenFolderOrNothingWhenCancelled) {
    fs::path a = file("a.txt"), b = file("b.txt");
    perform("odMoveTo", {a, b});
    EXPECT_TRUE(fs::exists(a));
    EXPECT_TRUE(toasts.empty());

    fs::create_directories(folder / "box" / "inner");
    chosen = folder / "box" / "inner";
    perform("odMoveTo", {a, b, folder / "box"});
    EXPECT_TRUE(fs::exists(a));
    EXPECT_TRUE(fs::exists(b));
    EXPECT_EQ(toasts.back(), (Toast{"移动失败，已回滚（未丢失任何文件）", "exclamationmark.triangle.fill"}));
    EXPECT_TRUE(history.load().empty());

    chosen = target.path;
    perform("odMoveTo", {a, b});
    EXPECT_EQ(readText(target / "b.txt"), "x");
    EXPECT_EQ(toasts.back(), (Toast{"已移动 2 个文件", "arrowshape.turn.up.right"}));
    EXPECT_EQ(history.load().size(), 1u);
}

TEST(ServicesScripts, InstallsOnceAndNeverReplacesTheUsersScript) {
    ondravell::testing::TemporaryFolder home;
    fs::path folder = home / "nautilus/scripts";
    fs::create_directories(folder);
    writeText(folder / "计算哈希（小欧）", "#!/bin/sh\necho mine\n");

    EXPECT_EQ(ServicesScripts::install(folder, "/usr/bin/ondravell"), 5);
    EXPECT_EQ(ServicesScripts::install(folder, "/usr/bin/ondravell"), 0);
    EXPECT_EQ(readText(folder / "计算哈希（小欧）"), "#!/bin/sh\necho mine\n");
    std::string copyPath = readText(folder / "复制路径（小欧）");
    EXPECT_NE(copyPath.find("exec '/usr/bin/ondravell' --service odCopyPath \"$@\"\n"), std::string::npos);
    EXPECT_TRUE((fs::status(folder / "复制路径（小欧）").permissions() & fs::perms::owner_exec) !=
                fs::perms::none);

    // Ours follow the program when it moves.
    EXPECT_EQ(ServicesScripts::install(folder, "/opt/it's here/ondravell"), 5);
    EXPECT_NE(
        readText(folder / "移动到…（小欧）").find("exec '/opt/it'\\''s here/ondravell' --service odMoveTo"),
        std::string::npos);
}

TEST(ServiceLaunchParse, TakesEachArgumentAsOneItemOfTheScriptsFolder) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<platform::ServiceRequest> expected;
        fs::path workingFolder = "/here";
    };
    const std::vector<Case> cases = {
        {{"ondravell", "/a"}, std::nullopt},
        {{"ondravell", "--service"}, std::nullopt},
        {{"ondravell", "--service", "odHash"}, platform::ServiceRequest{"odHash", {}}},
        // A line feed is part of a name, never a separator; bytes that are not UTF-8 stay as they are.
        {{"ondravell", "--service", "odMoveTo", "x\ny", "/abs", "\xff-style", "sub/c.txt"},
         platform::ServiceRequest{"odMoveTo", {"/here/x\ny", "/abs", "/here/\xff-style", "/here/sub/c.txt"}}},
        // Search results come as URIs. What has no local path stays as given, never left out, so the
        // provider refuses the request instead of acting on another first item.
        {{"ondravell", "--service", "odHash", "file:///a%20b/%E4%B8%AD%ff", "trash:///x", "a:b",
          "file://host", ""},
         platform::ServiceRequest{"odHash",
                                  {"/a b/\xe4\xb8\xad\xff", "trash:///x", "/here/a:b", "file://host", ""}}},
        // Started in a folder that no longer exists.
        {{"ondravell", "--service", "odHash", "a.txt", "/abs/b"},
         platform::ServiceRequest{"odHash", {"a.txt", "/abs/b"}},
         ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ServiceLaunch::parse(c.arguments, c.workingFolder), c.expected);
}
