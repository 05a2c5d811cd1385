// Loads the built module the way Nautilus does (dlopen, then its three entry points through a
// GTypeModule) and drives its menu provider with file infos made from real files, on a real display.
#include "core/SharedConfig/OndravellIPC.h"
#include "platform/glib/DBusFileManagerSelections.h"
#include "tests/Extensions/FinderSync/DisplayTestSupport.h"
#include "tests/Extensions/FinderSync/FakeFileInfo.h"
#include "tests/Extensions/FinderSync/NautilusModuleHarness.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <chrono>
#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <map>
#include <memory>
#include <nautilus-extension.h>
#include <optional>
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

// Nautilus's window as the module sees it: its current tab ("active-slot") and that tab's folder
// ("location"), each an object property kept in the object's data.
struct FakeSlot {
    GObject parent;
};
struct FakeSlotClass {
    GObjectClass parent;
};
struct FakeWindow {
    GtkApplicationWindow parent;
};
struct FakeWindowClass {
    GtkApplicationWindowClass parent;
};
G_DEFINE_TYPE(FakeSlot, fake_slot, G_TYPE_OBJECT)
G_DEFINE_TYPE(FakeWindow, fake_window, GTK_TYPE_APPLICATION_WINDOW)

void installObjectProperty(gpointer klass, const char* name, GType type) {
    auto* objects = G_OBJECT_CLASS(klass);
    objects->set_property = [](GObject* object, guint, const GValue* value, GParamSpec* property) {
        g_object_set_data_full(object, property->name, g_value_dup_object(value), g_object_unref);
    };
    objects->get_property = [](GObject* object, guint, GValue* value, GParamSpec* property) {
        g_value_set_object(value, g_object_get_data(object, property->name));
    };
    g_object_class_install_property(objects, 1,
                                    g_param_spec_object(name, nullptr, nullptr, type, G_PARAM_READWRITE));
}
void fake_slot_init(FakeSlot*) {}
void fake_slot_class_init(FakeSlotClass* klass) {
    installObjectProperty(klass, "location", G_TYPE_FILE);
}
void fake_window_init(FakeWindow*) {}
void fake_window_class_init(FakeWindowClass* klass) {
    installObjectProperty(klass, "active-slot", G_TYPE_OBJECT);
}

// A window of `application` showing `folder`.
GtkWindow* showFolder(GtkApplication* application, const std::filesystem::path& folder) {
    GFile* location = g_file_new_for_path(folder.c_str());
    GObject* slot = G_OBJECT(g_object_new(fake_slot_get_type(), "location", location, nullptr));
    auto* window = GTK_WINDOW(
        g_object_new(fake_window_get_type(), "application", application, "active-slot", slot, nullptr));
    g_object_unref(slot);
    g_object_unref(location);
    return window;
}

using PublishedWindows = std::map<std::string, std::pair<std::string, std::vector<std::string>>>;

// What the module publishes on the application's bus connection: folder and selection by window.
std::optional<PublishedWindows> publishedWindows(GApplication* application) {
    using Bus = platform::DBusFileManagerSelections;
    GDBusConnection* connection = g_application_get_dbus_connection(application);
    struct Answer {
        bool done = false;
        GVariant* value = nullptr;
    } answer;
    g_dbus_connection_call(
        connection, g_dbus_connection_get_unique_name(connection), Bus::objectPath,
        "org.freedesktop.DBus.Properties", "Get",
        g_variant_new("(ss)", Bus::interfaceName, Bus::propertyName), G_VARIANT_TYPE("(v)"),
        G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            auto* answer = static_cast<Answer*>(data);
            answer->value = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
            answer->done = true;
        },
        &answer);
    spinUntil([&] { return answer.done; });
    if (!answer.value)
        return std::nullopt;
    PublishedWindows windows;
    GVariant* list = nullptr;
    g_variant_get(answer.value, "(v)", &list);
    GVariantIter iter;
    g_variant_iter_init(&iter, list);
    const gchar *path = nullptr, *folder = nullptr;
    GVariantIter* uris = nullptr;
    while (g_variant_iter_next(&iter, "(&s&sas)", &path, &folder, &uris)) {
        std::vector<std::string> selected;
        const gchar* uri = nullptr;
        while (g_variant_iter_next(uris, "&s", &uri))
            selected.push_back(uri);
        g_variant_iter_free(uris);
        windows[path] = {folder, selected};
    }
    g_variant_unref(list);
    g_variant_unref(answer.value);
    return windows;
}

std::string uriOf(const std::filesystem::path& path) {
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    std::string text = uri ? uri : "";
    g_free(uri);
    return text;
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

TEST_F(NautilusModule, AViewsReportChangesOnlyTheWindowShowingItsFolder) {
    GtkApplication* application =
        gtk_application_new("dev.ondravell.SelectionBookingTest", G_APPLICATION_NON_UNIQUE);
    if (!g_application_register(G_APPLICATION(application), nullptr, nullptr)) {
        g_object_unref(application);
        GTEST_SKIP() << "no session bus";
    }
    g_application_set_default(G_APPLICATION(application));
    auto folderA = container->root / "window-a", folderB = container->root / "window-b";
    std::filesystem::create_directories(folderA);
    std::filesystem::create_directories(folderB);
    std::filesystem::path a = folderA / "a.txt", b = folderB / "b.txt";
    std::ofstream(a) << "a";
    std::ofstream(b) << "b";
    // Nautilus reports a view's selection, then its folder, at every change.
    auto report = [&](const std::vector<std::filesystem::path>& selected,
                      const std::filesystem::path& folder) {
        fileItems([&] {
            std::vector<HarnessFileInfo*> infos;
            for (const auto& path : selected)
                infos.push_back(makeFileInfo(path));
            return infos;
        }());
        HarnessFileInfo* shown = makeFileInfo(folder);
        if (GList* folderItems =
                nautilus_menu_provider_get_background_items(provider, NAUTILUS_FILE_INFO(shown)))
            nautilus_menu_item_list_free(folderItems);
        g_object_unref(shown);
    };
    GtkWindow* windowB = showFolder(application, folderB);
    report({b}, folderB);
    GtkWindow* windowA = showFolder(application, folderA);
    report({a}, folderA);

    // Another program removes the file selected in the window behind: that window's view reports.
    std::filesystem::remove(b);
    report({}, folderB);
    PublishedWindows expected = {
        {"/dev/ondravell/SelectionBookingTest/window/2", {uriOf(folderA), {uriOf(a)}}},
        {"/dev/ondravell/SelectionBookingTest/window/1", {uriOf(folderB), {}}},
    };
    EXPECT_EQ(publishedWindows(G_APPLICATION(application)), expected);

    // Two windows on one folder: a report from there cannot be told apart, so neither answers.
    GtkWindow* secondB = showFolder(application, folderB);
    report({}, folderB);
    expected.erase("/dev/ondravell/SelectionBookingTest/window/1");
    EXPECT_EQ(publishedWindows(G_APPLICATION(application)), expected);

    for (GtkWindow* window : {secondB, windowA, windowB})
        gtk_window_destroy(window);
    g_application_set_default(nullptr);
    g_object_unref(application);
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
