// The hash, favourite-folder and clipboard actions chosen from the real module's Nautilus items on a
// real display: their work runs on the module's worker and comes back through the GLib main loop.
#include "core/FileOps/OperationHistory.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "tests/Extensions/FinderSync/DisplayTestSupport.h"
#include "tests/Extensions/FinderSync/FakeFileInfo.h"
#include "tests/Extensions/FinderSync/NautilusModuleHarness.h"
#include "tests/core/SharedConfig/TempContainer.h"
#include "tests/platform/glib/SessionBusTesting.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <dlfcn.h>
#include <fstream>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

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

// A peer on the session bus that takes method calls and answers none until it is released (a service
// that hangs, as the file manager's virtual-file-system daemon may); from then on it answers every
// call at once. Its calls are handled on the bus's own thread, so it answers whatever the main
// thread is doing.
class SilentBusPeer {
public:
    static constexpr const char* busName = "dev.ondravell.Test.SilentPeer";

    SilentBusPeer() : connection_(newBusConnection()) {
        filter_ = g_dbus_connection_add_filter(connection_, &SilentBusPeer::incoming, this, nullptr);
        owner_ = g_bus_own_name_on_connection(connection_, busName, G_BUS_NAME_OWNER_FLAGS_NONE, nullptr,
                                              nullptr, nullptr, nullptr);
        runMainContextUntil([] { return nameHasOwner(busName); });
    }
    ~SilentBusPeer() {
        release();
        g_bus_unown_name(owner_);
        g_dbus_connection_remove_filter(connection_, filter_);
        g_object_unref(connection_);
    }
    SilentBusPeer(const SilentBusPeer&) = delete;
    SilentBusPeer& operator=(const SilentBusPeer&) = delete;

    void release() {
        std::vector<GDBusMessage*> held;
        {
            std::lock_guard lock(mutex_);
            released_ = true;
            held.swap(held_);
        }
        for (GDBusMessage* call : held) {
            answer(call);
            g_object_unref(call);
        }
    }

private:
    static GDBusMessage* incoming(GDBusConnection*, GDBusMessage* message, gboolean isIncoming,
                                  gpointer data) {
        auto* self = static_cast<SilentBusPeer*>(data);
        if (!isIncoming || g_dbus_message_get_message_type(message) != G_DBUS_MESSAGE_TYPE_METHOD_CALL ||
            g_strcmp0(g_dbus_message_get_path(message), "/") != 0)
            return message;
        std::unique_lock lock(self->mutex_);
        if (!self->released_) {
            self->held_.push_back(message);
            return nullptr;
        }
        lock.unlock();
        self->answer(message);
        g_object_unref(message);
        return nullptr;
    }
    void answer(GDBusMessage* call) {
        GDBusMessage* reply = g_dbus_message_new_method_reply(call);
        g_dbus_connection_send_message(connection_, reply, G_DBUS_SEND_MESSAGE_FLAGS_NONE, nullptr, nullptr);
        g_object_unref(reply);
    }

    GDBusConnection* connection_;
    unsigned filter_ = 0;
    unsigned owner_ = 0;
    std::mutex mutex_;
    bool released_ = false;
    std::vector<GDBusMessage*> held_;
};

// Every thread of GIO's shared pool, and the jobs queued behind them, waiting for an answer of the
// silent peer over this process's own session-bus connection, as the file manager's file queries do
// when that daemon does not answer. The pool grows while it is busy; far more jobs are queued than it
// grows to while a test runs. Each job asks again after a short wait until the peer is released: a
// call made while the connection sends nothing would otherwise wait for good. Ends by releasing the
// peer and waiting for every job.
class GioPoolWaitingOnTheBus {
public:
    static constexpr int jobs = 400;

    GioPoolWaitingOnTheBus() {
        for (int i = 0; i < jobs; ++i) {
            GTask* task = g_task_new(nullptr, nullptr, nullptr, nullptr);
            g_task_set_priority(task, G_PRIORITY_HIGH);
            g_task_set_task_data(task, this, nullptr);
            g_task_run_in_thread(task, [](GTask*, gpointer, gpointer data, GCancellable*) {
                static_cast<GioPoolWaitingOnTheBus*>(data)->waitOnTheBus();
            });
            g_object_unref(task);
        }
    }
    ~GioPoolWaitingOnTheBus() {
        release();
        std::unique_lock lock(mutex_);
        allFinished_.wait(lock, [this] { return finished_ == jobs; });
    }
    GioPoolWaitingOnTheBus(const GioPoolWaitingOnTheBus&) = delete;
    GioPoolWaitingOnTheBus& operator=(const GioPoolWaitingOnTheBus&) = delete;

    void release() {
        released_ = true;
        peer_.release();
    }

private:
    void waitOnTheBus() {
        GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
        while (bus && !released_) {
            GVariant* reply =
                g_dbus_connection_call_sync(bus, SilentBusPeer::busName, "/", "dev.ondravell.Test", "Wait",
                                            nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, 500, nullptr, nullptr);
            if (reply)
                g_variant_unref(reply);
        }
        if (bus)
            g_object_unref(bus);
        std::lock_guard lock(mutex_);
        if (++finished_ == jobs)
            allFinished_.notify_all();
    }

    SilentBusPeer peer_;
    std::atomic<bool> released_ = false;
    std::mutex mutex_;
    std::condition_variable allFinished_;
    int finished_ = 0;
};

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
    std::vector<NautilusMenuItem*> fileItems(const fs::path& path) { return fileItems(std::vector{path}); }
    std::vector<NautilusMenuItem*> fileItems(const std::vector<fs::path>& paths) {
        GList* files = nullptr;
        for (const fs::path& path : paths)
            files = g_list_prepend(files, makeFileInfo(path));
        files = g_list_reverse(files);
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
    struct FavoriteTransfer {
        fs::path favorite;
        std::vector<fs::path> files;
        NautilusMenuItem* item = nullptr;
    };
    // `count` files named after `name`, selected, and the favourite folder "<name>Favorite" offered by
    // `actionID`: the menu's one item, whose submenu holds the folder (nullptr when it is not so).
    FavoriteTransfer favoriteTransfer(const std::string& actionID, const std::string& name, int count) {
        FavoriteTransfer transfer{makeFolder(name + "Favorite"), {}, nullptr};
        writeSettings({{"enabledActionIDs", {actionID}}, {"favoriteTargets", {transfer.favorite.string()}}});
        for (int i = 0; i < count; ++i)
            transfer.files.push_back(makeFile(name + "/" + std::to_string(i) + ".txt"));
        std::vector<NautilusMenuItem*> items = fileItems(transfer.files);
        if (items.size() == 1)
            transfer.item = items[0];
        return transfer;
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

// The same module, with a session bus beside the display.
class NautilusTransferActionsOnTheBus : public NautilusTransferActions {
protected:
    // The module stays loaded once a suite loaded it, as in Nautilus.
    static void SetUpTestSuite() {
        if (!provider)
            NautilusTransferActions::SetUpTestSuite();
    }
    void SetUp() override {
        NautilusTransferActions::SetUp();
        if (!std::getenv("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "needs a session bus";
    }
};

// A transfer's progress messages go out on the session-bus connection the file manager shares. With
// every thread of GIO's pool waiting on the bus, a message that waited for that connection to be
// flushed (the flush itself needs a thread of the pool) would hold the transfer as long as they wait.
TEST_F(NautilusTransferActionsOnTheBus, TransferFinishesWhileGiosThreadsWaitOnTheBus) {
    FavoriteTransfer transfer = favoriteTransfer("copy.to", "waiting", 40);
    ASSERT_TRUE(transfer.item);

    GioPoolWaitingOnTheBus waiting;
    activate(submenuOf(transfer.item), transfer.favorite.filename());
    EXPECT_TRUE(spinUntil([] { return toastMessage() == "已复制 40 个文件到目标"; }));
    EXPECT_EQ(std::distance(fs::directory_iterator(transfer.favorite), fs::directory_iterator()), 40);
}

// Last, as it ends the module the way the file manager's quit does: a move of many files under way
// while GIO's threads wait on the bus stops after the item it is at, and what it moved is recorded.
TEST_F(NautilusTransferActionsOnTheBus, QuitDuringAMoveEndsItAfterAnItemAndRecordsWhatItMoved) {
    FavoriteTransfer transfer = favoriteTransfer("move.to", "quitting", 2000);
    ASSERT_TRUE(transfer.item);

    GioPoolWaitingOnTheBus waiting;
    fs::remove(*OndravellIPC::pendingProgressURL());
    activate(submenuOf(transfer.item), transfer.favorite.filename());
    // Under way: the first progress message is out.
    ASSERT_TRUE(spinUntil([] { return OndravellIPC::readPendingFile(OndravellIPC::pendingProgressName); }));
    // Should the quit wait for the bus, the peer is released after a while so that the test ends.
    std::mutex mutex;
    std::condition_variable ended;
    bool quit = false;
    bool waitedForTheBus = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!ended.wait_for(lock, std::chrono::seconds(10), [&] { return quit; })) {
            waitedForTheBus = true;
            waiting.release();
        }
    });
    void* handle = dlopen(ONDRAVELL_NAUTILUS_MODULE, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_TRUE(handle);
    reinterpret_cast<void (*)()>(dlsym(handle, "nautilus_module_shutdown"))();
    dlclose(handle);
    {
        std::lock_guard lock(mutex);
        quit = true;
    }
    ended.notify_all();
    watchdog.join();
    EXPECT_FALSE(waitedForTheBus) << "the quit waited for the bus";

    std::vector<FileOperation> history =
        OperationHistory::forAppGroup(OndravellIPC::appGroupID).loadAscending();
    ASSERT_FALSE(history.empty());
    const FileOperation& moved = history.back();
    EXPECT_EQ(moved.kind, FileOperation::Kind::move);
    std::set<std::string> recorded;
    for (const FileOperationItem& item : moved.items) {
        EXPECT_FALSE(fs::exists(*item.from)) << *item.from;
        recorded.insert(*item.to);
    }
    std::set<std::string> arrived;
    for (const fs::directory_entry& entry : fs::directory_iterator(transfer.favorite))
        arrived.insert(entry.path().native());
    EXPECT_EQ(arrived, recorded);
    std::size_t stayed = std::count_if(transfer.files.begin(), transfer.files.end(),
                                       [](const fs::path& file) { return fs::exists(file); });
    EXPECT_EQ(stayed + arrived.size(), transfer.files.size());
}

} // namespace
} // namespace ondravell::test
