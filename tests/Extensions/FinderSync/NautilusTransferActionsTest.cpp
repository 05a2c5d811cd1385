// The hash, favourite-folder and clipboard actions chosen from the real module's Nautilus items on a
// real display: their work runs on the module's worker and comes back through the GLib main loop.
#include "core/SharedConfig/OndravellIPC.h"
#include "tests/Extensions/FinderSync/DisplayTestSupport.h"
#include "tests/Extensions/FinderSync/FakeFileInfo.h"
#include "tests/Extensions/FinderSync/NautilusModuleHarness.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>

namespace ondravell::test {
namespace {

namespace fs = std::filesystem;

std::string labelOf(NautilusMenuItem* item) {
    gchar* label = nullptr;
    g_object_get(item, "label", &label, nullptr);
    std::string text = label ? label : "";
    g_free(label);
    return text;
}

class NautilusTransferActions : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        container = std::make_unique<TempContainer>();
        provider = loadNautilusMenuProvider(ONDRAVELL_NAUTILUS_MODULE);
    }
    void SetUp() override {
        if (!provider)
            GTEST_SKIP() << "no display, or the module did not load";
    }
    void TearDown() override {
        for (GList* list : lists)
            nautilus_menu_item_list_free(list);
    }

    static void writeSettings(const nlohmann::json& settings) {
        auto file = container->path / "Library" / "Application Support" / "settings.v1.json";
        fs::create_directories(file.parent_path());
        std::ofstream(file.string() + ".new") << settings.dump();
        fs::rename(file.string() + ".new", file);
    }
    static fs::path makeFile(const std::string& name, const std::string& bytes = "x") {
        auto path = container->root / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << bytes;
        return path;
    }
    static fs::path makeFolder(const std::string& name) {
        auto path = container->root / name;
        fs::create_directories(path);
        return path;
    }
    static std::optional<std::string> toastMessage() {
        std::optional<std::string> bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingToastName);
        if (!bytes)
            return std::nullopt;
        nlohmann::json toast = nlohmann::json::parse(*bytes, nullptr, false);
        return toast.is_object() && toast.contains("message") ? toast["message"].get<std::string>() : "";
    }

    std::vector<NautilusMenuItem*> keep(GList* list) {
        lists.push_back(list);
        std::vector<NautilusMenuItem*> items;
        for (GList* entry = list; entry; entry = entry->next)
            items.push_back(NAUTILUS_MENU_ITEM(entry->data));
        return items;
    }
    std::vector<NautilusMenuItem*> fileItems(const fs::path& path) {
        GList* files = g_list_append(nullptr, makeFileInfo(path));
        GList* items = nautilus_menu_provider_get_file_items(provider, files);
        g_list_free_full(files, g_object_unref);
        return keep(items);
    }
    std::vector<NautilusMenuItem*> backgroundItems(const fs::path& folder) {
        HarnessFileInfo* info = makeFileInfo(folder);
        GList* items = nautilus_menu_provider_get_background_items(provider, NAUTILUS_FILE_INFO(info));
        g_object_unref(info);
        return keep(items);
    }
    std::vector<NautilusMenuItem*> submenuOf(NautilusMenuItem* item) {
        NautilusMenu* menu = nullptr;
        g_object_get(item, "menu", &menu, nullptr);
        if (!menu)
            return {};
        std::vector<NautilusMenuItem*> children = keep(nautilus_menu_get_items(menu));
        g_object_unref(menu);
        return children;
    }
    static void activate(const std::vector<NautilusMenuItem*>& items, const std::string& label) {
        for (NautilusMenuItem* item : items)
            if (labelOf(item) == label) {
                nautilus_menu_item_activate(item);
                return;
            }
        ADD_FAILURE() << "no item " << label;
    }

    static inline std::unique_ptr<TempContainer> container;
    static inline NautilusMenuProvider* provider = nullptr;
    std::vector<GList*> lists;
};

TEST_F(NautilusTransferActions, HashOfTheSelectedFileReachesTheDisplaysClipboard) {
    writeSettings({{"enabledActionIDs", {"hash"}}});
    std::vector<NautilusMenuItem*> items = fileItems(makeFile("hashed.txt", "hello"));
    ASSERT_EQ(items.size(), 1u);
    activate(submenuOf(items[0]), "SHA-256");
    ASSERT_TRUE(spinUntil([] { return toastMessage() == "已复制哈希 (SHA-256)"; }));
    EXPECT_EQ(clipboardTextSeenByAnotherClient(),
              "2cf24dba5fb0a30e26e83b2ac5b9e29e1b161e5c1fa7425e73043362938b9824");
}

TEST_F(NautilusTransferActions, FavoriteFolderItemCopiesTheFileThere) {
    fs::path favorite = makeFolder("favorite");
    writeSettings({{"enabledActionIDs", {"copy.to"}}, {"favoriteTargets", {favorite.string()}}});
    std::vector<NautilusMenuItem*> items = fileItems(makeFile("copied.txt", "kept"));
    ASSERT_EQ(items.size(), 1u);
    activate(submenuOf(items[0]), "favorite");
    EXPECT_TRUE(spinUntil([&] { return fs::exists(favorite / "copied.txt"); }));
    EXPECT_TRUE(spinUntil([] { return toastMessage() == "已复制 1 个文件到目标"; }));
}

TEST_F(NautilusTransferActions, CutThenPasteFromTheFolderMenuMovesTheFile) {
    writeSettings({{"enabledActionIDs", {"cut.file", "paste.here"}}});
    fs::path file = makeFile("source/moved.txt");
    fs::path target = makeFolder("target");
    activate(fileItems(file), "剪切");
    ASSERT_TRUE(spinUntil([] { return toastMessage() == "已剪切 1 个文件"; }));
    activate(backgroundItems(target), "粘贴到此处");
    EXPECT_TRUE(spinUntil([&] { return fs::exists(target / "moved.txt") && !fs::exists(file); }));
    EXPECT_TRUE(spinUntil([] { return toastMessage() == "已移动 1 个文件"; }));
    EXPECT_FALSE(fs::exists(container->path / "clipboard.json"));
}

} // namespace
} // namespace ondravell::test
