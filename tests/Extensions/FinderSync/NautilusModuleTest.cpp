// Loads the built module the way Nautilus does (dlopen, then its three entry points through a
// GTypeModule) and drives its menu provider with file infos made from real files, on a real display.
#include "core/SharedConfig/OndravellIPC.h"
#include "tests/Extensions/FinderSync/DisplayTestSupport.h"
#include "tests/Extensions/FinderSync/FakeFileInfo.h"
#include "tests/Extensions/FinderSync/NautilusModuleHarness.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <chrono>
#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <memory>
#include <nautilus-extension.h>
#include <string>
#include <thread>
#include <vector>

namespace ondravell::test {
namespace {

struct Node {
    std::string name;
    std::string label;
    NautilusMenuItem* item = nullptr;
    std::vector<Node> children;
};

std::vector<Node> nodesOf(GList* items) {
    std::vector<Node> nodes;
    for (GList* entry = items; entry; entry = entry->next) {
        auto* item = NAUTILUS_MENU_ITEM(entry->data);
        gchar* name = nullptr;
        gchar* label = nullptr;
        NautilusMenu* menu = nullptr;
        g_object_get(item, "name", &name, "label", &label, "menu", &menu, nullptr);
        Node node{name ? name : "", label ? label : "", item, {}};
        g_free(name);
        g_free(label);
        if (menu) {
            GList* children = nautilus_menu_get_items(menu);
            node.children = nodesOf(children);
            // The submenu keeps its own references; the nodes point into it.
            nautilus_menu_item_list_free(children);
            g_object_unref(menu);
        }
        nodes.push_back(std::move(node));
    }
    return nodes;
}

std::vector<std::string> labels(const std::vector<Node>& nodes) {
    std::vector<std::string> result;
    for (const Node& node : nodes)
        result.push_back(node.label);
    return result;
}

class NautilusModule : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        container = std::make_unique<TempContainer>();
        provider = loadNautilusMenuProvider(ONDRAVELL_NAUTILUS_MODULE);
    }
    static void TearDownTestSuite() {
        g_clear_object(&provider);
        // The module stays loaded, as in Nautilus; its shutdown entry point runs as Nautilus's would.
        if (void* handle = dlopen(ONDRAVELL_NAUTILUS_MODULE, RTLD_NOW | RTLD_NOLOAD)) {
            if (auto shutdown = reinterpret_cast<void (*)()>(dlsym(handle, "nautilus_module_shutdown")))
                shutdown();
            dlclose(handle);
        }
        container.reset();
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

    static void writeSettings(const std::string& json) {
        auto file = container->path / "Library" / "Application Support" / "settings.v1.json";
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file.string() + ".new") << json;
        std::filesystem::rename(file.string() + ".new", file);
    }
    static std::filesystem::path makeFile(const std::string& name) {
        auto path = container->root / name;
        std::ofstream(path) << "x";
        return path;
    }

    std::vector<Node> fileItems(const std::vector<HarnessFileInfo*>& files) {
        GList* list = nullptr;
        for (HarnessFileInfo* file : files)
            list = g_list_append(list, file);
        if (items)
            nautilus_menu_item_list_free(items);
        items = nautilus_menu_provider_get_file_items(provider, list);
        g_list_free_full(list, g_object_unref);
        return nodesOf(items);
    }

    static inline std::unique_ptr<TempContainer> container;
    static inline NautilusMenuProvider* provider = nullptr;
    GList* items = nullptr;
};

TEST_F(NautilusModule, ListsOneMenuProviderType) {
    // The loader makes the provider only when the module lists exactly one type.
    EXPECT_TRUE(NAUTILUS_IS_MENU_PROVIDER(provider));
}

TEST_F(NautilusModule, SelectedFileGetsTheCopyPathSubmenuWithEscapedTemplateNames) {
    writeSettings(R"({"enabledActionIDs": ["copy.path"],
                      "customPathTemplates": [{"id": "t", "name": "my_template", "template": "{name}"}]})");
    std::vector<Node> nodes = fileItems({makeFileInfo(makeFile("a.txt"))});
    ASSERT_EQ(labels(nodes), (std::vector<std::string>{"复制路径"}));
    EXPECT_EQ(labels(nodes[0].children),
              (std::vector<std::string>{"POSIX 路径", "相对路径", "file:// URL", "带引号路径", "文件名",
                                        "文件名（无扩展名）", "父目录", "my__template"}));
    EXPECT_EQ(nodes[0].name, "Ondravell::file::0");
    EXPECT_EQ(nodes[0].children[7].name, "Ondravell::file::0-7");
}

TEST_F(NautilusModule, GroupsAndNestingBecomeSubmenus) {
    writeSettings(R"({"enabledActionIDs": ["copy.path"], "nestUnderOndravell": true,
                      "actionGroupAssignment": {"copy.path": "my_group"}})");
    std::vector<Node> nodes = fileItems({makeFileInfo(makeFile("a.txt"))});
    ASSERT_EQ(labels(nodes), (std::vector<std::string>{"Ondravell"}));
    ASSERT_EQ(labels(nodes[0].children), (std::vector<std::string>{"my__group"}));
    EXPECT_EQ(labels(nodes[0].children[0].children), (std::vector<std::string>{"复制路径"}));
}

TEST_F(NautilusModule, EmptySelectionAndNonLocalLocationsGetNoItems) {
    writeSettings(R"({"enabledActionIDs": ["copy.path"]})");
    EXPECT_TRUE(fileItems({}).empty());
    EXPECT_TRUE(fileItems({makeFileInfo("trash:///a.txt", false)}).empty());
    EXPECT_TRUE(fileItems({makeFileInfo(makeFile("a.txt")), makeFileInfo("recent:///b", false)}).empty());
    HarnessFileInfo* search = makeFileInfo("x-nautilus-search://0/", true);
    EXPECT_EQ(nautilus_menu_provider_get_background_items(provider, NAUTILUS_FILE_INFO(search)), nullptr);
    g_object_unref(search);
}

TEST_F(NautilusModule, ChosenItemPutsThePathOnTheDisplaysClipboardAndAsksForAToast) {
    writeSettings(R"({"enabledActionIDs": ["copy.path"]})");
    std::filesystem::path file = makeFile("chosen file.txt");
    std::vector<Node> nodes = fileItems({makeFileInfo(file)});
    ASSERT_FALSE(nodes.empty());
    nautilus_menu_item_activate(nodes[0].children.at(0).item);
    EXPECT_EQ(clipboardTextSeenByAnotherClient(), file.string());
    auto toast = container->path / OndravellIPC::pendingToastName;
    EXPECT_TRUE(spinUntil([&] { return std::filesystem::exists(toast); }));
}

TEST_F(NautilusModule, ItemActsOnTheSelectionItsMenuWasBuiltFor) {
    writeSettings(R"({"enabledActionIDs": ["copy.path"]})");
    std::vector<Node> first = fileItems({makeFileInfo(makeFile("first.txt"))});
    GList* kept = g_list_copy_deep(
        items,
        [](gconstpointer item, gpointer) -> gpointer { return g_object_ref(const_cast<gpointer>(item)); },
        nullptr);
    fileItems({makeFileInfo(makeFile("second.txt"))});
    // "文件名" copies the name.
    nautilus_menu_item_activate(first[0].children.at(4).item);
    EXPECT_EQ(clipboardTextSeenByAnotherClient(), "first.txt");
    nautilus_menu_item_list_free(kept);
}

TEST_F(NautilusModule, SettingsFileChangeAsksNautilusForNewItems) {
    writeSettings(R"({"enabledActionIDs": ["copy.path"]})");
    // Let the watch report the write above before listening.
    auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    spinUntil([&] { return std::chrono::steady_clock::now() > settle; });
    bool updated = false;
    gulong handler = g_signal_connect_swapped(provider, "items-updated",
                                              G_CALLBACK(+[](bool* flag) { *flag = true; }), &updated);
    writeSettings(R"({"enabledActionIDs": ["copy.file"]})");
    EXPECT_TRUE(spinUntil([&] { return updated; }));
    g_signal_handler_disconnect(provider, handler);
}

} // namespace
} // namespace ondravell::test
