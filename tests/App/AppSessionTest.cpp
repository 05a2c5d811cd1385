// The real program in a private X display and session bus: another process (this test) sends requests
// through the core's senders, and the program's windows and settings are looked at from outside.
#include "core/SharedConfig/OndravellIPC.h"
#include "platform/glib/DBusNotificationCenter.h"
#include "platform/glib/DBusSingleInstance.h"
#include "tests/App/FakeStatusNotifierWatcher.h"
#include "tests/platform/x11/X11Windows.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

// Readiness bound for a program starting under Xvfb; not a speed requirement.
constexpr auto settleLimit = std::chrono::seconds(20);

bool eventually(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + settleLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

pid_t launchApp() {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::execl(ONDRAVELL_APP, ONDRAVELL_APP, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

std::optional<std::string> busNameOwner() {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus)
        return std::nullopt;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetNameOwner",
        g_variant_new("(s)", platform::DBusSingleInstance::busName), G_VARIANT_TYPE("(s)"),
        G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    g_object_unref(bus);
    if (!reply)
        return std::nullopt;
    const gchar* owner = nullptr;
    g_variant_get(reply, "(&s)", &owner);
    std::string result = owner ? owner : "";
    g_variant_unref(reply);
    return result;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A scratch container and configuration for a program this test starts; the senders in this process
// use them too.
fs::path makeSessionRoot() {
    std::string pattern = (fs::temp_directory_path() / "ondravell-session-XXXXXX").string();
    fs::path root = ::mkdtemp(pattern.data());
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("GSETTINGS_BACKEND", "keyfile", 1);
    return root;
}

// The program, once it has taken its bus name; -1 when it never did.
pid_t startApp() {
    pid_t app = launchApp();
    if (app > 0 && eventually([] { return busNameOwner().has_value(); }))
        return app;
    return -1;
}

void endSession(pid_t app, const fs::path& root) {
    if (app > 0) {
        ::kill(app, SIGTERM);
        ::waitpid(app, nullptr, 0);
    }
    std::error_code error;
    fs::remove_all(root, error);
}

class AppSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = makeSessionRoot();
        app_ = startApp();
        ASSERT_GT(app_, 0) << "the program never took its bus name";
        center_ = new platform::DBusNotificationCenter;
    }
    static void TearDownTestSuite() {
        delete center_;
        endSession(app_, root_);
    }

    static bool appRunning() { return app_ > 0 && ::waitpid(app_, nullptr, WNOHANG) == 0; }

    static inline fs::path root_;
    static inline pid_t app_ = -1;
    static inline platform::DBusNotificationCenter* center_ = nullptr;
};

TEST_F(AppSessionTest, ToastFromAnotherProcessAppearsWithItsText) {
    const std::string message = "已复制 3 个路径";
    // The bus name is taken only after the observers are connected: the first post is heard.
    ASSERT_TRUE(OndravellIPC::postToast(*center_, message, "checkmark.circle.fill"));
    ASSERT_TRUE(eventually([&] { return test::X11Windows::viewableNamed(message).has_value(); }));
    auto window = *test::X11Windows::viewableNamed(message);
    EXPECT_LE(window.width, 360);
}

TEST_F(AppSessionTest, ProgressFromAnotherProcessShowsCountsAndIsExactly300Wide) {
    ASSERT_TRUE(OndravellIPC::postProgress(*center_, "OP-1", "正在复制", 2, 5, false));
    ASSERT_TRUE(eventually([] { return test::X11Windows::viewableNamed("正在复制 2/5").has_value(); }));
    EXPECT_EQ(test::X11Windows::viewableNamed("正在复制 2/5")->width, 300);
    ASSERT_TRUE(OndravellIPC::postProgress(*center_, "OP-1", "正在复制", 3, 5, false));
    EXPECT_TRUE(eventually([] { return test::X11Windows::viewableNamed("正在复制 3/5").has_value(); }));
}

TEST_F(AppSessionTest, SecondLaunchEndsAndLeavesTheFirstInstanceRunning) {
    auto ownerBefore = busNameOwner();
    ASSERT_TRUE(ownerBefore);
    pid_t second = launchApp();
    int status = 0;
    ASSERT_EQ(::waitpid(second, &status, 0), second);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(appRunning());
    EXPECT_EQ(busNameOwner(), ownerBefore);
}

TEST_F(AppSessionTest, SecondLaunchWithHiddenTrayOpensTheSettingsWindow) {
    // Xvfb offers no tray, which counts as a hidden menu-bar item.
    pid_t second = launchApp();
    ASSERT_EQ(::waitpid(second, nullptr, 0), second);
    EXPECT_TRUE(eventually([] { return test::X11Windows::viewableNamed("Ondravell 设置").has_value(); }));
}

TEST_F(AppSessionTest, HiddenFileRequestFlipsTheFileChooserSetting) {
    const fs::path keyfile = root_ / "config" / "glib-2.0" / "settings" / "keyfile";
    auto shown = [&] { return readFile(keyfile).find("show-hidden=true") != std::string::npos; };
    bool before = shown();
    center_->post(std::string(OndravellIPC::toggleFinderHidden));
    EXPECT_TRUE(eventually([&] { return shown() != before; })) << readFile(keyfile);
}

// The program with a tray host on the bus: its item as the host reads it, beside its own windows.
class TrayItemSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        watcher_ = new test::FakeStatusNotifierWatcher;
        ASSERT_TRUE(watcher_->isServing());
        root_ = makeSessionRoot();
        app_ = startApp();
        ASSERT_GT(app_, 0) << "the program never took its bus name";
    }
    static void TearDownTestSuite() {
        endSession(app_, root_);
        delete watcher_;
    }

    static inline fs::path root_;
    static inline pid_t app_ = -1;
    static inline test::FakeStatusNotifierWatcher* watcher_ = nullptr;
};

TEST_F(TrayItemSessionTest, ItemIsTitledOndravellWhileWindowTitlesStayAsSet) {
    ASSERT_TRUE(eventually([] { return watcher_->registeredItem().has_value(); })) << "no item registered";
    const auto item = *watcher_->registeredItem();
    EXPECT_EQ(test::FakeStatusNotifierWatcher::itemText(item, "Title"), "Ondravell");
    EXPECT_EQ(test::FakeStatusNotifierWatcher::itemText(item, "ToolTip"), "Ondravell");

    // A display name, were one set for the tray, would be appended to every window title.
    platform::DBusNotificationCenter center;
    const std::string message = "已新建文件夹";
    ASSERT_TRUE(OndravellIPC::postToast(center, message, "folder.badge.plus"));
    EXPECT_TRUE(eventually([&] { return test::X11Windows::viewableNamed(message).has_value(); }));
}

} // namespace
