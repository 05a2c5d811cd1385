#include "App/Services/ProxyActionHandler.h"

#include "core/FileOps/FileTemplate.h"
#include "tests/App/Services/FileActionTestBed.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ondravell;
namespace fs = std::filesystem;
using ondravell::testing::readText;
using ondravell::testing::writeText;

namespace {

class ProxyActionHandlerTest : public test::FileActionTestBed {
protected:
    ProxyActionRequest request(std::string action, std::vector<fs::path> paths,
                               std::optional<fs::path> destination = std::nullopt,
                               std::map<std::string, std::string> extra = {}) {
        ProxyActionRequest r{std::move(action), {}, std::nullopt, std::move(extra)};
        for (const fs::path& path : paths)
            r.paths.push_back(path.string());
        if (destination)
            r.destination = destination->string();
        return r;
    }
    void handle(const ProxyActionRequest& r) { handler.handle(r); }
    ProxyActionHandler handler{services(), [] {
                                   FileTemplate markdown;
                                   markdown.id = "md";
                                   markdown.fileExtension = "md";
                                   markdown.content = "# {name}\n";
                                   return std::vector<FileTemplate>{markdown};
                               }};
};

} // namespace

TEST_F(ProxyActionHandlerTest, AFailedMoveIsRolledBackAndMoveMustBeExactlyOne) {
    fs::path a = file("a.txt");
    fs::create_directories(folder / "box" / "inner");
    fs::path c = file("c.txt");
    // The folder cannot move into its own subfolder, so the second move fails.
    handle(request("paste", {a, folder / "box", c}, folder / "box" / "inner", {{"move", "1"}}));
    EXPECT_TRUE(fs::exists(a));
    EXPECT_TRUE(fs::exists(c));
    EXPECT_EQ(toasts,
              (std::vector<Toast>{{"移动失败，已回滚（未丢失任何文件）", "exclamationmark.triangle.fill"}}));
    EXPECT_TRUE(history.load().empty());

    toasts.clear();
    handle(request("transfer", {a, c}, target.path, {{"move", "true"}}));
    EXPECT_TRUE(fs::exists(a));
    EXPECT_TRUE(fs::exists(target / "a.txt"));
    EXPECT_EQ(toasts, (std::vector<Toast>{{"已粘贴 2 个文件", "checkmark.circle.fill"}}));
    ASSERT_EQ(history.load().size(), 1u);
    EXPECT_EQ(history.load().front().kind, FileOperation::Kind::copy);
}

TEST_F(ProxyActionHandlerTest, BadRequestsDoNothing) {
    fs::path a = file("a.txt");
    const std::vector<ProxyActionRequest> requests = {
        request("Paste", {a}, target.path),
        request("delete", {a}, target.path),
        request("paste", {a}),
        request("paste", {}, target.path),
        request("paste", {"relative/a.txt"}, target.path),
        request("paste", {folder / "missing.txt"}, target.path),
        request("paste", {a}, a),
        request("paste", {std::string("/tmp/\xff\xfe")}, target.path),
        request("hash", {a}, std::nullopt, {{"algorithm", "SHA256"}}),
        request("hash", {a}),
        request("createTemplate", {}, target.path, {{"templateID", "nope"}}),
        request("createFolder", {}, a),
        request("clipboardToFile", {}, target.path),
        request("symlink", {folder / "missing.txt"}),
    };
    for (const ProxyActionRequest& r : requests)
        handle(r);
    EXPECT_TRUE(toasts.empty());
    EXPECT_EQ(pasteboard.string(), std::nullopt);
    EXPECT_TRUE(history.load().empty());
    EXPECT_EQ(fs::directory_iterator(target.path), fs::directory_iterator());
}

TEST_F(ProxyActionHandlerTest, CopiesHashContentBase64AndMetadata) {
    fs::path text = file("a.txt", "hello");
    handle(request("hash", {text}, std::nullopt, {{"algorithm", "sha512"}}));
    ASSERT_TRUE(pasteboard.string());
    EXPECT_EQ(pasteboard.string()->size(), 128u);
    EXPECT_EQ(toasts.back(), (Toast{"已复制哈希 (SHA-512)", "number"}));

    handle(request("copyBase64", {text}));
    EXPECT_EQ(pasteboard.string(), "aGVsbG8=");
    handle(request("copyContent", {file("empty.txt", "")}));
    EXPECT_EQ(pasteboard.string(), "");
    EXPECT_EQ(toasts.back(), (Toast{"已复制文件内容", "doc.text"}));

    std::size_t shown = toasts.size();
    handle(request("copyContent", {file("bad.txt", "\xff\xfe")}));
    ::mkfifo((folder / "pipe").c_str(), 0600);
    handle(request("copyContent", {folder / "pipe"}));
    handle(request("hash", {folder / "pipe"}, std::nullopt, {{"algorithm", "md5"}}));
    settings.maxCopyFileSizeMB = 1;
    handle(request("copyBase64", {file("big.bin", std::string(1024 * 1024 + 1, 'x'))}));
    EXPECT_EQ(toasts.size(), shown);
    EXPECT_EQ(pasteboard.string(), "");

    fs::create_directories(folder / "Docs");
    handle(request("copyMetadata", {folder / "Docs"}));
    EXPECT_EQ(pasteboard.string()->find("大小"), std::string::npos);
    EXPECT_NE(pasteboard.string()->find("名称: Docs"), std::string::npos);
    EXPECT_EQ(toasts.back(), (Toast{"已复制元数据", "info.circle"}));
}

TEST_F(ProxyActionHandlerTest, LinksTakeFreeNamesBesideTheirItems) {
    fs::path a = file("a.txt");
    file("a link.txt");
    fs::create_directories(folder / "Docs");
    fs::path archive = file("a.tar.gz");
    handle(request("symlink", {a, folder / "Docs", archive}));
    EXPECT_TRUE(fs::is_symlink(folder / "a link 2.txt"));
    EXPECT_TRUE(fs::is_symlink(folder / "Docs link"));
    EXPECT_TRUE(fs::is_symlink(folder / "a.tar link.gz"));
    EXPECT_EQ(toasts, (std::vector<Toast>{{"已创建 3 个符号链接", "link"}}));
    ASSERT_EQ(history.load().size(), 1u);
    EXPECT_EQ(history.load().front().items.size(), 3u);
}

TEST_F(ProxyActionHandlerTest, CreatesFilesFoldersAndClipboardFiles) {
    handle(request("createTemplate", {}, target.path, {{"templateID", "md"}}));
    EXPECT_EQ(readText(target / "未命名.md"), "# 未命名\n");
    handle(request("createFolder", {}, target.path));
    handle(request("createFolder", {}, target.path));
    EXPECT_TRUE(fs::is_directory(target / "未命名文件夹 2"));
    EXPECT_EQ(toasts[2], (Toast{"已新建 未命名文件夹 2", "folder.badge.plus"}));

    pasteboard.placeFromOutside("clip");
    image.png = "PNG";
    handle(request("clipboardToFile", {}, target.path));
    handle(request("clipboardToFile", {}, target.path));
    std::vector<std::string> saved;
    for (const auto& entry : fs::directory_iterator(target.path))
        if (entry.path().filename().string().starts_with("剪贴板-"))
            saved.push_back(entry.path().filename().string());
    // Both saves fall within one second but for a rare tick: the second finds the name taken.
    ASSERT_GE(saved.size(), 1u);
    EXPECT_TRUE(saved.front().ends_with(".txt"));
    EXPECT_EQ(history.load().size(), 3u + saved.size());
    EXPECT_EQ(toasts.size(), 3u + saved.size());
}

TEST_F(ProxyActionHandlerTest, TerminalOpensAtTheFolderAndEditorFallsBack) {
    fs::path a = file("a.txt");
    fs::create_directories(folder / "Docs");
    handle(request("openTerminal", {a}));
    handle(request("openTerminal", {a, folder / "Docs"}));
    launcher.install("com.microsoft.VSCode");
    settings.preferredEditorBundleID = "com.sublimetext.4";
    handle(request("openEditor", {a}));
    settings.preferredEditorBundleID.reset();
    handle(request("openEditor", {a}));
    using Launch = platform::MemoryAppLauncher::Launch;
    EXPECT_EQ(launcher.launches(), (std::vector<Launch>{{"com.apple.Terminal", folder.path, {}},
                                                        {"com.apple.Terminal", folder / "Docs", {}},
                                                        {"com.apple.TextEdit", {}, {a}},
                                                        {"com.microsoft.VSCode", {}, {a}}}));
    EXPECT_TRUE(toasts.empty());
}
