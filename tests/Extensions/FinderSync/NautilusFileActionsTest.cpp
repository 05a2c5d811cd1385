// One action of each kind this module runs itself or forwards, chosen from the real module's Nautilus
// items on a real display: new folder, symbolic link, terminal, copy content, clipboard to file and the
// delete request.
#include "core/SharedConfig/OndravellIPC.h"
#include "tests/Extensions/FinderSync/DisplayTestSupport.h"
#include "tests/Extensions/FinderSync/FakeFileInfo.h"
#include "tests/Extensions/FinderSync/NautilusModuleHarness.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <fstream>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <memory>
#include <nautilus-extension.h>

namespace ondravell::test {
namespace {

class NautilusFileActions : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        container = std::make_unique<TempContainer>();
        // A terminal of our own, found through the desktop's application folders.
        std::filesystem::path applications = container->root / "share" / "applications";
        std::filesystem::create_directories(applications);
        std::ofstream(container->root / "term")
            << "#!/bin/sh\npwd > '" << terminalRecord().string() << ".tmp' && mv '"
            << terminalRecord().string() << ".tmp' '" << terminalRecord().string() << "'\n";
        std::filesystem::permissions(container->root / "term", std::filesystem::perms::owner_all);
        std::ofstream(applications / "org.example.TestTerm.desktop")
            << "[Desktop Entry]\nType=Application\nName=Term\nExec=" << (container->root / "term").string()
            << "\n";
        ::setenv("XDG_DATA_HOME", (container->root / "share").c_str(), 1);
        provider = loadNautilusMenuProvider(ONDRAVELL_NAUTILUS_MODULE);
    }
    void SetUp() override {
        if (!provider)
            GTEST_SKIP() << "no display, or the module did not load";
    }
    void TearDown() override {
        if (items)
            nautilus_menu_item_list_free(items);
        items = nullptr;
    }

    static std::filesystem::path terminalRecord() { return container->root / "terminal-folder"; }
    static void writeSettings(const std::string& json) {
        auto file = container->path / "Library" / "Application Support" / "settings.v1.json";
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file.string() + ".new") << json;
        std::filesystem::rename(file.string() + ".new", file);
    }
    static std::filesystem::path makeFile(const std::string& name, const std::string& bytes = "x") {
        auto path = container->root / name;
        std::ofstream(path) << bytes;
        return path;
    }

    // Builds the items for `path` with only `actionID` enabled and activates the only one.
    void choose(const std::string& actionID, const std::filesystem::path& path,
                const std::string& extra = "") {
        writeSettings(R"({"enabledActionIDs": [")" + actionID + "\"]" + extra + "}");
        if (items)
            nautilus_menu_item_list_free(items);
        GList* files = g_list_append(nullptr, makeFileInfo(path));
        items = nautilus_menu_provider_get_file_items(provider, files);
        g_list_free_full(files, g_object_unref);
        ASSERT_EQ(g_list_length(items), 1u) << actionID;
        nautilus_menu_item_activate(NAUTILUS_MENU_ITEM(items->data));
    }

    static inline std::unique_ptr<TempContainer> container;
    static inline NautilusMenuProvider* provider = nullptr;
    GList* items = nullptr;
};

TEST_F(NautilusFileActions, NewFolderAppearsInTheSelectedFolder) {
    std::filesystem::path folder = container->root / "new-folder-target";
    std::filesystem::create_directory(folder);
    choose("new.folder", folder);
    EXPECT_TRUE(spinUntil([&] { return std::filesystem::is_directory(folder / "未命名文件夹"); }));
}

TEST_F(NautilusFileActions, SymbolicLinkAppearsBesideTheFile) {
    std::filesystem::path file = makeFile("linked.txt");
    choose("make.symlink", file);
    EXPECT_TRUE(spinUntil([&] { return std::filesystem::is_symlink(container->root / "linked link.txt"); }));
}

TEST_F(NautilusFileActions, TerminalStartsInTheSelectedFolder) {
    std::filesystem::path folder = container->root / "terminal target";
    std::filesystem::create_directory(folder);
    choose("open.terminal", folder, R"(, "preferredTerminalBundleID": "org.example.TestTerm")");
    ASSERT_TRUE(spinUntil([&] { return std::filesystem::exists(terminalRecord()); }));
    std::ifstream in(terminalRecord());
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, folder.string());
}

TEST_F(NautilusFileActions, CopyContentPutsTheTextOnTheDisplaysClipboard) {
    choose("copy.content", makeFile("content.txt", "文本内容"));
    EXPECT_EQ(clipboardTextSeenByAnotherClient(), "文本内容");
}

// Another client of the display owns the clipboard, as another program would.
class OtherClient {
public:
    OtherClient() : display_(gdk_display_open(nullptr)) {}
    ~OtherClient() {
        if (display_)
            gdk_display_close(display_);
    }
    bool offerText(const char* text) {
        if (!display_)
            return false;
        gdk_clipboard_set_text(gdk_display_get_clipboard(display_), text);
        return seenByTheModule(G_TYPE_STRING);
    }
    bool offerImage(int width, int height) {
        if (!display_)
            return false;
        GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
        gdk_pixbuf_fill(pixbuf, 0x336699ff);
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GdkTexture* texture = gdk_texture_new_for_pixbuf(pixbuf);
        G_GNUC_END_IGNORE_DEPRECATIONS
        gdk_clipboard_set_texture(gdk_display_get_clipboard(display_), texture);
        g_object_unref(texture);
        g_object_unref(pixbuf);
        return seenByTheModule(GDK_TYPE_TEXTURE);
    }

private:
    // The module's display learns of the new owner a moment later; until then it would read its own.
    static bool seenByTheModule(GType type) {
        GdkClipboard* clipboard = gdk_display_get_clipboard(gdk_display_get_default());
        return spinUntil([&] {
            return !gdk_clipboard_is_local(clipboard) &&
                   gdk_content_formats_contain_gtype(gdk_clipboard_get_formats(clipboard), type);
        });
    }

    GdkDisplay* display_;
};

TEST_F(NautilusFileActions, ClipboardImageIsSavedAsPNGInTheSelectedFolder) {
    std::filesystem::path folder = container->root / "image-target";
    std::filesystem::create_directory(folder);
    OtherClient other;
    ASSERT_TRUE(other.offerImage(4, 3));
    choose("clipboard.to.file", folder);
    ASSERT_TRUE(spinUntil([&] { return std::filesystem::exists(folder / "clipboard.png"); }));
    int width = 0;
    int height = 0;
    EXPECT_NE(gdk_pixbuf_get_file_info((folder / "clipboard.png").c_str(), &width, &height), nullptr);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 3);
}

TEST_F(NautilusFileActions, ClipboardTextIsSavedInTheSelectedFolder) {
    std::filesystem::path folder = container->root / "text-target";
    std::filesystem::create_directory(folder);
    OtherClient other;
    ASSERT_TRUE(other.offerText("剪贴板文本"));
    choose("clipboard.to.file", folder);
    ASSERT_TRUE(spinUntil([&] { return std::filesystem::exists(folder / "clipboard.txt"); }));
    std::ifstream in(folder / "clipboard.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "剪贴板文本");
}

TEST_F(NautilusFileActions, DeleteRequestNamesTheSelectedFile) {
    std::filesystem::path file = makeFile("doomed.txt");
    choose("delete", file);
    std::optional<std::string> request;
    EXPECT_TRUE(spinUntil([&] {
        request = OndravellIPC::readPendingFile(OndravellIPC::pendingDeleteName);
        return request.has_value();
    }));
    EXPECT_EQ(request, file.string());
}

} // namespace
} // namespace ondravell::test
