// The hot keys in a headless GNOME Shell Wayland session, each case in a session of its own: through the
// program's Shell extension, and through the desktop's custom shortcuts without it, where a Wayland
// Nautilus is known for the focused application by the accessibility bus alone. Nautilus (with the built
// module) shows two files, both selected; the copy-path hot key puts their paths on the clipboard. Beside
// that: the extension refuses every caller but the owner of the program's name, a second launch changes
// nothing, an extension switched on or off while the program runs takes the hot keys over or hands them
// back to the custom shortcuts, a shortcut edited by hand costs the hot key, never the program, and the
// program's shortcuts leave the desktop's list when it quits.
#include "platform/glib/DBusSingleInstance.h"
#include "platform/glib/GnomeCustomKeybindings.h"
#include "platform/glib/ShellExtensionBus.h"
#include "tests/Extensions/FinderSync/NautilusWithModule.h"
#include "tests/wayland/MutterRemoteInput.h"
#include "tests/wayland/SessionClients.h"

#include <csignal>
#include <fstream>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
using namespace ondravell;
using namespace ondravell::test;

namespace {

void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

// The D-Bus error name of a call of the extension on `connection`, or "" when it was answered.
std::string extensionCallError(GDBusConnection* connection, const char* method, GVariant* parameters,
                               const GVariantType* replyType) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        connection, platform::ShellExtensionBus::busName, platform::ShellExtensionBus::objectPath,
        platform::ShellExtensionBus::interfaceName, method, parameters, replyType, G_DBUS_CALL_FLAGS_NONE,
        2000, nullptr, &error);
    if (reply) {
        g_variant_unref(reply);
        return "";
    }
    gchar* name = g_dbus_error_get_remote_error(error);
    std::string result = name ? name : error->message;
    g_free(name);
    g_error_free(error);
    return result;
}

std::string getPointerError(GDBusConnection* connection) {
    return extensionCallError(connection, "GetPointer", nullptr, G_VARIANT_TYPE("(iiu)"));
}

std::string grabError(GDBusConnection* connection, const char* accelerator) {
    return extensionCallError(connection, "GrabAccelerator", g_variant_new("(s)", accelerator),
                              G_VARIANT_TYPE("(u)"));
}

// One headless session: the program's settings (copy path on Ctrl+Alt+C), a folder of two files that
// Nautilus shows, and the input.
class ShellHotKeySession : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("ONDRAVELL_SESSION_ROOT") || !nameHasOwner("org.gnome.Shell"))
            GTEST_SKIP() << "needs the headless GNOME Shell session";
        if (!g_find_program_in_path("nautilus"))
            GTEST_SKIP() << "nautilus is not installed";
        root_ = std::getenv("ONDRAVELL_SESSION_ROOT");
        ::setenv("ONDRAVELL_CONTAINER", (root_ / "container").c_str(), 1);
        folder_ = root_ / "hotkey-selection";
        writeText(
            root_ / "container/Library/Application Support/settings.v1.json",
            R"({"globalHotKeys": {"copy.path": {"keyCode": 8, "carbonModifiers": 6144, "display": "⌃⌥C"}}})");
        writeText(fs::path(std::getenv("XDG_CONFIG_HOME")) / "ondravell/ondravell.ini",
                  "[General]\nhasCompletedOnboarding=true\n");
        writeText(folder_ / "a.txt", "a");
        writeText(folder_ / "b.txt", "b");
        expected_ = (folder_ / "a.txt").string() + "\n" + (folder_ / "b.txt").string();
        ASSERT_TRUE(input_.ok()) << input_.error();
    }

    // Nautilus as a Wayland client, or as an X client of the compositor's X server.
    std::unique_ptr<SessionClient> startNautilus(const char* backend = "wayland") {
        std::optional<std::vector<std::string>> command =
            nautilusWithModule(ONDRAVELL_NAUTILUS_MODULE, root_ / "scratch", folder_);
        if (!command)
            return nullptr;
        gchar* unshare = g_find_program_in_path(command->front().c_str());
        std::string program = unshare ? unshare : "";
        g_free(unshare);
        return std::make_unique<SessionClient>(
            program, std::vector<std::string>(command->begin() + 1, command->end()),
            std::vector<std::string>{std::string("GDK_BACKEND=") + backend});
    }

    // Selects every file in the focused Nautilus window and presses the hot key until the clipboard
    // holds their paths (early rounds may come before Nautilus listed the folder or the grab is made).
    bool hotKeyCopiesTheSelectedPaths(std::chrono::seconds limit = std::chrono::seconds(60)) {
        return eventually(
            [&] {
                // The Shell starts in its overview, where no window has the keyboard: Esc leaves it.
                input_.chord({KEY_ESC});
                // A click on the empty right part of the centred window gives its file view the keyboard
                // (the program's toast stands at the bottom).
                input_.click(1000, 420);
                input_.chord({KEY_LEFTCTRL, KEY_A});
                input_.chord({KEY_LEFTCTRL, KEY_LEFTALT, KEY_C});
                return eventually([&] { return x11ClipboardText() == expected_; }, std::chrono::seconds(1));
            },
            limit);
    }

    fs::path root_, folder_;
    std::string expected_;
    MutterRemoteInput input_;
};

} // namespace

TEST_F(ShellHotKeySession, ThroughTheExtensionWhichAnswersOnlyTheProgram) {
    setShellExtensionEnabled(true);
    ASSERT_TRUE(eventually([] { return platform::ShellExtensionBus::answers(); }))
        << "the Shell never exported the extension's object";

    // A caller that does not own the program's name is refused; the owner is answered.
    GDBusConnection* stranger = newBusConnection();
    ASSERT_NE(stranger, nullptr);
    EXPECT_EQ(getPointerError(stranger), "org.freedesktop.DBus.Error.AccessDenied");
    guint owned =
        g_bus_own_name_on_connection(stranger, platform::DBusSingleInstance::busName,
                                     G_BUS_NAME_OWNER_FLAGS_NONE, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(eventually([&] {
        g_main_context_iteration(nullptr, FALSE);
        return getPointerError(stranger).empty();
    })) << "the owner of the program's name was refused";
    // Whoever owns the name gets no more than the program asks for: combinations its key recorder
    // stores, with Control, Alt or Super, and no more of them than it has hot keys.
    for (const char* accelerator : {"a", "<Shift>a", "<Hyper>a", "<Control>", "<Super><Control>a"})
        EXPECT_EQ(grabError(stranger, accelerator), "org.freedesktop.DBus.Error.Failed") << accelerator;
    for (const char* accelerator : {"<Control><Alt>y", "<Alt>y", "<Shift><Super>y", "<Control>y"})
        EXPECT_EQ(grabError(stranger, accelerator), "") << accelerator;
    EXPECT_EQ(grabError(stranger, "<Control><Alt>u"), "org.freedesktop.DBus.Error.Failed") << "a fifth grab";
    g_bus_unown_name(owned);
    g_dbus_connection_flush_sync(stranger, nullptr, nullptr);
    EXPECT_TRUE(eventually([] { return !nameHasOwner(platform::DBusSingleInstance::busName); }));
    g_object_unref(stranger);

    std::unique_ptr<SessionClient> nautilus = startNautilus();
    if (!nautilus)
        GTEST_SKIP() << "no private mount namespace to show Nautilus the built module";
    SessionClient app(ONDRAVELL_APP, {});
    EXPECT_TRUE(hotKeyCopiesTheSelectedPaths()) << "clipboard: " << x11ClipboardText().value_or("(none)");

    // A second launch hands over to the first (which opens its settings window, there being no tray
    // here) and ends; the first runs on and keeps the program's name.
    {
        SessionClient second(ONDRAVELL_APP, {});
        EXPECT_TRUE(eventually([&] { return !second.running(); })) << "the second launch kept running";
    }
    EXPECT_TRUE(app.running());
    EXPECT_TRUE(nameHasOwner(platform::DBusSingleInstance::busName));

    // The extension switched off: the hot key is gone, the program runs on.
    setShellExtensionEnabled(false);
    EXPECT_TRUE(eventually([] { return !platform::ShellExtensionBus::answers(); }));
    input_.chord({KEY_LEFTCTRL, KEY_LEFTALT, KEY_C});
    EXPECT_TRUE(app.running());
    EXPECT_TRUE(nautilus->running());
}

TEST_F(ShellHotKeySession, ThroughTheDesktopsCustomShortcutsWithoutTheExtension) {
    SessionClient mediaKeys("/usr/libexec/gsd-media-keys", {});
    // Without the extension the program knows the focused window of X clients only.
    std::unique_ptr<SessionClient> nautilus = startNautilus("x11");
    if (!nautilus)
        GTEST_SKIP() << "no private mount namespace to show Nautilus the built module";
    auto app = std::make_unique<SessionClient>(ONDRAVELL_APP, std::vector<std::string>{});
    EXPECT_TRUE(hotKeyCopiesTheSelectedPaths()) << "clipboard: " << x11ClipboardText().value_or("(none)");

    // The user points the program's shortcut at a number it never registered: nothing happens.
    const std::string entry = std::string(platform::GnomeCustomKeybindings::entryPathPrefix) + "0/";
    GSettings* settings = g_settings_new_with_path(
        "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding", entry.c_str());
    gchar* command = g_settings_get_string(settings, "command");
    std::string edited = command;
    g_free(command);
    edited = edited.substr(0, edited.rfind(' ')) + " 999";
    g_settings_set_string(settings, "command", edited.c_str());
    g_settings_sync();
    g_object_unref(settings);
    writeText(folder_ / "c.txt", "c");
    input_.chord({KEY_LEFTCTRL, KEY_A});
    input_.chord({KEY_LEFTCTRL, KEY_LEFTALT, KEY_C});
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(x11ClipboardText(), expected_) << "an edited shortcut still copied";
    EXPECT_TRUE(app->running());

    // The program quits (a session's end quits as the tray's quit item does): its shortcuts leave the
    // desktop's list, and their keys are free again.
    app.reset();
    GSettings* list = g_settings_new("org.gnome.settings-daemon.plugins.media-keys");
    gchar** paths = g_settings_get_strv(list, "custom-keybindings");
    for (gchar** path = paths; *path; ++path)
        EXPECT_FALSE(g_str_has_prefix(*path, platform::GnomeCustomKeybindings::entryPathPrefix)) << *path;
    g_strfreev(paths);
    g_object_unref(list);
    EXPECT_TRUE(mediaKeys.running());
}

namespace {

// The program's entries in the desktop's custom shortcut list.
std::vector<std::string> programShortcuts() {
    std::vector<std::string> found;
    GSettings* list = g_settings_new("org.gnome.settings-daemon.plugins.media-keys");
    gchar** paths = g_settings_get_strv(list, "custom-keybindings");
    for (gchar** path = paths; *path; ++path)
        if (g_str_has_prefix(*path, platform::GnomeCustomKeybindings::entryPathPrefix))
            found.emplace_back(*path);
    g_strfreev(paths);
    g_object_unref(list);
    return found;
}

} // namespace

// The extension switched on while the program runs takes the hot keys from the desktop's custom
// shortcuts, which leave the list; switched off, it hands them back. The program runs on throughout,
// and the hot key copies through each road (a new file each time, so that each copy is a new one).
TEST_F(ShellHotKeySession, TheHotKeysFollowTheExtensionSwitchedOnAndOffWhileTheProgramRuns) {
    setShellExtensionEnabled(false);
    SessionClient mediaKeys("/usr/libexec/gsd-media-keys", {});
    std::unique_ptr<SessionClient> nautilus = startNautilus();
    if (!nautilus)
        GTEST_SKIP() << "no private mount namespace to show Nautilus the built module";
    SessionClient app(ONDRAVELL_APP, {});
    struct Step {
        const char* what;
        bool extension;
        const char* newFile;
    };
    for (const Step& step : {Step{"without the extension", false, nullptr},
                             Step{"switched on", true, "c.txt"}, Step{"switched off", false, "d.txt"}}) {
        SCOPED_TRACE(step.what);
        setShellExtensionEnabled(step.extension);
        EXPECT_TRUE(eventually([&] { return platform::ShellExtensionBus::answers() == step.extension; }));
        const std::size_t entries = step.extension ? 0 : 1;
        EXPECT_TRUE(eventually([&] { return programShortcuts().size() == entries; }))
            << programShortcuts().size() << " of the program's shortcuts";
        if (step.newFile) {
            writeText(folder_ / step.newFile, step.newFile);
            expected_ += "\n" + (folder_ / step.newFile).string();
        }
        EXPECT_TRUE(hotKeyCopiesTheSelectedPaths()) << "clipboard: " << x11ClipboardText().value_or("(none)");
        EXPECT_TRUE(app.running());
    }
}

namespace {

// The process of the Shell of this test's own session.
pid_t shellProcess() {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "GetConnectionUnixProcessID", g_variant_new("(s)", "org.gnome.Shell"), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    g_object_unref(bus);
    if (!reply)
        return -1;
    guint32 pid = 0;
    g_variant_get(reply, "(u)", &pid);
    g_variant_unref(reply);
    return pid_t(pid);
}

} // namespace

// A Shell too busy to answer while the program starts (as at login) leaves it on the custom shortcuts
// only until the extension, running all along, tells of itself: then the hot keys move to its grabs.
TEST_F(ShellHotKeySession, AShellBusyAtStartUpHandsTheHotKeysToTheExtensionOnceItAnswers) {
    setShellExtensionEnabled(true);
    ASSERT_TRUE(eventually([] { return platform::ShellExtensionBus::answers(); }));
    SessionClient mediaKeys("/usr/libexec/gsd-media-keys", {});
    std::unique_ptr<SessionClient> nautilus = startNautilus();
    if (!nautilus)
        GTEST_SKIP() << "no private mount namespace to show Nautilus the built module";
    const pid_t shell = shellProcess();
    ASSERT_GT(shell, 0);
    ::kill(shell, SIGSTOP);
    SessionClient app(ONDRAVELL_APP, {});
    // The program gave up on the stopped Shell and took the desktop's shortcuts.
    const bool tookShortcuts = eventually([] { return programShortcuts().size() == 1; });
    ::kill(shell, SIGCONT);
    EXPECT_TRUE(tookShortcuts);
    EXPECT_TRUE(eventually([] { return programShortcuts().empty(); })) << "the shortcuts stayed";
    EXPECT_TRUE(hotKeyCopiesTheSelectedPaths()) << "clipboard: " << x11ClipboardText().value_or("(none)");
    EXPECT_TRUE(app.running());
}

TEST_F(ShellHotKeySession, AWaylandNautilusFoundThroughTheAccessibilityBusWithoutTheExtension) {
    SessionClient mediaKeys("/usr/libexec/gsd-media-keys", {});
    std::unique_ptr<SessionClient> nautilus = startNautilus();
    if (!nautilus)
        GTEST_SKIP() << "no private mount namespace to show Nautilus the built module";
    SessionClient app(ONDRAVELL_APP, {});
    EXPECT_TRUE(hotKeyCopiesTheSelectedPaths()) << "clipboard: " << x11ClipboardText().value_or("(none)");
}
