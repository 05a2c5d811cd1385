// The hot keys as the desktop's custom shortcuts, in memory-backed settings and on the session bus: the
// entries written for the registrations, the user's own shortcuts left alone, and a press that the
// desktop's command hands over arriving at the handler.
#include "platform/glib/GnomeCustomKeybindings.h"

#include "tests/platform/glib/SessionBusTesting.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

using namespace ondravell::platform;
using namespace ondravell::test;

namespace {

constexpr const char* listSchema = "org.gnome.settings-daemon.plugins.media-keys";
constexpr const char* entrySchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
constexpr const char* userEntry = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/";
constexpr const char* appName = "org.example.App";
constexpr std::uint32_t cmdShift = GlobalHotKeys::commandModifier | GlobalHotKeys::shiftModifier;

std::vector<std::string> shortcutList() {
    GSettings* settings = g_settings_new(listSchema);
    gchar** values = g_settings_get_strv(settings, "custom-keybindings");
    std::vector<std::string> list(values, values + g_strv_length(values));
    g_strfreev(values);
    g_object_unref(settings);
    return list;
}

void setShortcutList(const std::vector<std::string>& paths) {
    GSettings* settings = g_settings_new(listSchema);
    std::vector<const gchar*> values;
    for (const std::string& path : paths)
        values.push_back(path.c_str());
    values.push_back(nullptr);
    g_settings_set_strv(settings, "custom-keybindings", values.data());
    g_object_unref(settings);
}

std::string entryValue(const std::string& path, const char* key) {
    GSettings* settings = g_settings_new_with_path(entrySchema, path.c_str());
    gchar* value = g_settings_get_string(settings, key);
    std::string result = value;
    g_free(value);
    g_object_unref(settings);
    return result;
}

std::optional<std::string> keyName(std::uint32_t carbonKeyCode) {
    switch (carbonKeyCode) {
    case 0x08:
        return "c";
    case 0x03:
        return "f";
    default:
        return std::nullopt;
    }
}

class GnomeCustomKeybindingsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::setenv("GSETTINGS_BACKEND", "memory", 1); }
    void SetUp() override {
        if (!GnomeCustomKeybindings::isAvailable())
            GTEST_SKIP() << "the settings daemon's schemas are not installed";
        GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
        if (!bus)
            GTEST_SKIP() << "no session bus";
        g_object_unref(bus);
    }
};

} // namespace

TEST(GnomeAccelerator, SpellsTheModifiersTheWayTheDesktopParsesThem) {
    struct Case {
        std::uint32_t modifiers;
        const char* key;
        std::optional<std::string> expected;
    };
    for (const Case& c : std::vector<Case>{
             {cmdShift, "c", "<Shift><Super>c"},
             {GlobalHotKeys::controlModifier | GlobalHotKeys::optionModifier, "F5", "<Control><Alt>F5"},
             {0, "Escape", "Escape"},
             {0x0001, "c", std::nullopt}, // a modifier bit outside the four
             {cmdShift, "", std::nullopt},
         })
        EXPECT_EQ(GnomeCustomKeybindings::accelerator(c.modifiers, c.key), c.expected) << c.key;
}

TEST_F(GnomeCustomKeybindingsTest, TheNamesOwnerKeepsItsEntriesAcrossReloadsAndTakesThemAwayAtTheEnd) {
    const std::string leftover = std::string(GnomeCustomKeybindings::entryPathPrefix) + "7/";
    setShortcutList({userEntry, leftover});
    const std::string first = std::string(GnomeCustomKeybindings::entryPathPrefix) + "0/";
    const std::string second = std::string(GnomeCustomKeybindings::entryPathPrefix) + "1/";
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    guint owned = 0;
    {
        GnomeCustomKeybindings hotKeys(appName, keyName);
        std::vector<std::uint32_t> pressed;
        hotKeys.setHandler([&](std::uint32_t id) { pressed.push_back(id); });
        // Owning the name, with nothing registered yet: what an earlier run left goes.
        owned = g_bus_own_name_on_connection(bus, appName, G_BUS_NAME_OWNER_FLAGS_NONE, nullptr, nullptr,
                                             nullptr, nullptr);
        EXPECT_TRUE(
            runMainContextUntil([&] { return shortcutList() == std::vector<std::string>{userEntry}; }));

        EXPECT_FALSE(hotKeys.registerHotKey(0x7F, cmdShift, 1)) << "a key the layout lacks";
        std::optional<GlobalHotKeys::Reference> copyPath = hotKeys.registerHotKey(0x08, cmdShift, 1);
        std::optional<GlobalHotKeys::Reference> copyFile = hotKeys.registerHotKey(0x03, cmdShift, 2);
        ASSERT_TRUE(copyPath && copyFile);
        EXPECT_FALSE(hotKeys.registerHotKey(0x08, cmdShift, 3)) << "a combination already held";
        EXPECT_TRUE(runMainContextUntil([&] {
            return shortcutList() == std::vector<std::string>{userEntry, first, second};
        }));
        EXPECT_EQ(entryValue(first, "binding"), "<Shift><Super>c");
        EXPECT_EQ(entryValue(second, "command"), "gdbus call --session --dest org.example.App --object-path "
                                                 "/K3WQ9ZD7TM/dev/ondravell/Ondravell/HotKeys "
                                                 "--method K3WQ9ZD7TM.dev.ondravell.HotKeys.Pressed 1");

        // A reload registers the same combinations under new ids, one of them changed: the other's
        // entry stays as written, and a press of it reaches its new id.
        hotKeys.unregisterHotKey(*copyPath);
        hotKeys.unregisterHotKey(*copyFile);
        copyFile = hotKeys.registerHotKey(0x03, cmdShift, 4);
        copyPath = hotKeys.registerHotKey(0x08, GlobalHotKeys::controlModifier, 5);
        ASSERT_TRUE(copyPath && copyFile);
        drainMainContext();
        EXPECT_EQ(shortcutList(), (std::vector<std::string>{userEntry, first, second}));
        EXPECT_EQ(entryValue(second, "binding"), "<Shift><Super>f");
        EXPECT_EQ(entryValue(second, "command").back(), '1');
        EXPECT_EQ(entryValue(first, "binding"), "<Control>c");
        hotKeys.pressed(1);
        EXPECT_EQ(pressed, (std::vector<std::uint32_t>{4u}));
        hotKeys.unregisterHotKey(*copyFile);
        hotKeys.unregisterHotKey(*copyFile); // twice: ignored
        EXPECT_TRUE(runMainContextUntil([&] {
            return shortcutList() == std::vector<std::string>{userEntry, first};
        }));
        EXPECT_EQ(entryValue(second, "binding"), "");
    }
    // The owner ends (its name goes with its connection, after this): its entries are gone.
    EXPECT_EQ(shortcutList(), (std::vector<std::string>{userEntry}));
    g_bus_unown_name(owned);
    g_object_unref(bus);
}

TEST_F(GnomeCustomKeybindingsTest, ALaunchThatLostTheRaceForTheNameLeavesTheOwnersEntriesAlone) {
    const std::string runningOnes = std::string(GnomeCustomKeybindings::entryPathPrefix) + "3/";
    setShortcutList({userEntry, runningOnes});
    GDBusConnection* running = newBusConnection();
    ASSERT_NE(running, nullptr);
    guint owned = g_bus_own_name_on_connection(running, appName, G_BUS_NAME_OWNER_FLAGS_NONE, nullptr,
                                               nullptr, nullptr, nullptr);
    ASSERT_TRUE(runMainContextUntil([] { return nameHasOwner(appName); }));
    {
        GnomeCustomKeybindings hotKeys(appName, keyName);
        EXPECT_TRUE(hotKeys.registerHotKey(0x03, cmdShift, 1));
        drainMainContext();
    }
    EXPECT_EQ(shortcutList(), (std::vector<std::string>{userEntry, runningOnes}));
    g_bus_unown_name(owned);
    g_object_unref(running);
}

TEST_F(GnomeCustomKeybindingsTest, APressTheDesktopHandsOverReachesTheHandlerOnlyForARegisteredID) {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    GnomeCustomKeybindings hotKeys(g_dbus_connection_get_unique_name(bus), keyName);
    std::vector<std::uint32_t> pressed;
    hotKeys.setHandler([&](std::uint32_t id) { pressed.push_back(id); });
    ASSERT_TRUE(hotKeys.registerHotKey(0x08, cmdShift, 5));
    // The registration's entry is the first, slot 0; no entry has slot 9.
    for (std::uint32_t slot : {9u, 0u}) {
        gchar* command =
            g_strdup_printf("gdbus call --session --dest %s --object-path %s --method %s.Pressed %u",
                            g_dbus_connection_get_unique_name(bus), GnomeCustomKeybindings::objectPath,
                            GnomeCustomKeybindings::interfaceName, slot);
        // The command runs while this process serves the bus, as the desktop's would.
        GSubprocess* process =
            g_subprocess_new(G_SUBPROCESS_FLAGS_STDOUT_SILENCE, nullptr, "sh", "-c", command, nullptr);
        g_free(command);
        ASSERT_NE(process, nullptr);
        bool exited = false;
        g_subprocess_wait_async(
            process, nullptr,
            [](GObject*, GAsyncResult*, gpointer done) { *static_cast<bool*>(done) = true; }, &exited);
        // The press of 9, if it were handed on, would come before that of 0.
        const gint64 giveUp = g_get_monotonic_time() + 20 * G_USEC_PER_SEC;
        while ((!exited || (slot == 0u && pressed.empty())) && g_get_monotonic_time() < giveUp)
            if (!g_main_context_iteration(nullptr, FALSE))
                g_usleep(1000);
        g_object_unref(process);
    }
    EXPECT_EQ(pressed, (std::vector<std::uint32_t>{5u}));
    g_object_unref(bus);
}
