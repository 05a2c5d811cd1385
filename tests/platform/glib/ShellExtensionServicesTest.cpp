// The program's side of its Shell extension, against a stand-in Shell that owns the Shell's name on the
// session bus and is served by the same main context as the program: it hears a question only when the
// event loop runs, so a program that waited for its answer would wait in vain.
#include "platform/glib/DeferredGlobalHotKeys.h"
#include "platform/glib/GnomeCustomKeybindings.h"
#include "platform/glib/ShellExtensionBus.h"
#include "platform/glib/ShellExtensionHotKeys.h"
#include "platform/glib/ShellFollowingHotKeys.h"
#include "platform/glib/ShellFrontmostApplication.h"
#include "platform/glib/ShellGlobalMouseMonitors.h"
#include "platform/glib/ShellKeySynthesizer.h"
#include "platform/glib/WaylandSessionTrust.h"
#include "platform/memory/FixedFrontmostApplication.h"
#include "platform/memory/MemoryAccessibilityTrust.h"
#include "platform/memory/MemoryGlobalHotKeys.h"
#include "platform/memory/MemoryGlobalMouseMonitors.h"
#include "platform/memory/MemoryKeySynthesizer.h"
#include "tests/platform/glib/SessionBusTesting.h"

#include <algorithm>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace ondravell::platform;
using namespace ondravell::test;

namespace {

constexpr const char* interfaceXML = "<node><interface name='K3WQ9ZD7TM.dev.ondravell.Shell'>"
                                     "<method name='SendKeys'><arg type='s' direction='in'/></method>"
                                     "<method name='GetFocus'><arg type='a{sv}' direction='out'/></method>"
                                     "<method name='GrabAccelerator'><arg type='s' direction='in'/>"
                                     "<arg type='u' direction='out'/></method>"
                                     "<method name='UngrabAccelerator'><arg type='u' direction='in'/>"
                                     "<arg type='b' direction='out'/></method>"
                                     "</interface></node>";

// Owns "org.gnome.Shell" and exports the extension's object, or not (an extension switched off). It
// grants grabs as the extension does, four at most and none of a combination another binding holds
// (`refuses`), and takes every other call without answering it
// (a stuck Shell) until it is destroyed.
class StandInShell {
public:
    explicit StandInShell(bool exportsExtension) : connection_(newBusConnection()) {
        if (exportsExtension)
            switchExtension(true);
        owned_ =
            g_bus_own_name_on_connection(connection_, ShellExtensionBus::busName, G_BUS_NAME_OWNER_FLAGS_NONE,
                                         nullptr, nullptr, nullptr, nullptr);
        runMainContextUntil([] { return nameHasOwner(ShellExtensionBus::busName); });
    }

    ~StandInShell() {
        for (GDBusMethodInvocation* invocation : held_)
            g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.Failed",
                                                       "ended");
        if (registration_)
            g_dbus_connection_unregister_object(connection_, registration_);
        g_bus_unown_name(owned_);
        g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
        g_object_unref(connection_);
        runMainContextUntil([] { return !nameHasOwner(ShellExtensionBus::busName); });
    }

    // The extension switched on or off: its object comes or goes, and with it every grab it held.
    void switchExtension(bool on) {
        if (!on) {
            if (registration_)
                g_dbus_connection_unregister_object(connection_, registration_);
            registration_ = 0;
            grabs.clear();
            return;
        }
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(interfaceXML, nullptr);
        static const GDBusInterfaceVTable vtable = {
            [](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
               GVariant* parameters, GDBusMethodInvocation* invocation, gpointer data) {
                auto* self = static_cast<StandInShell*>(data);
                std::string call = method;
                const gchar* argument = nullptr;
                if (g_variant_is_of_type(parameters, G_VARIANT_TYPE("(s)"))) {
                    g_variant_get(parameters, "(&s)", &argument);
                    call = call + " " + argument;
                }
                if (call.starts_with("GrabAccelerator")) {
                    if (self->grabs.size() >= 4) {
                        g_dbus_method_invocation_return_dbus_error(
                            invocation, "org.freedesktop.DBus.Error.Failed", "all grabs held");
                        return;
                    }
                    if (self->refuses && self->refuses(argument)) {
                        g_dbus_method_invocation_return_dbus_error(
                            invocation, "org.freedesktop.DBus.Error.Failed", "taken");
                        return;
                    }
                    self->grabs[++self->lastAction_] = argument;
                    g_dbus_method_invocation_return_value(invocation,
                                                          g_variant_new("(u)", self->lastAction_));
                    return;
                }
                if (call == "UngrabAccelerator") {
                    guint32 action = 0;
                    g_variant_get(parameters, "(u)", &action);
                    g_dbus_method_invocation_return_value(
                        invocation, g_variant_new("(b)", self->grabs.erase(action) > 0));
                    return;
                }
                self->calls.push_back(call);
                self->held_.push_back(invocation);
            },
            nullptr,
            nullptr,
            {}};
        registration_ = g_dbus_connection_register_object(
            connection_, ShellExtensionBus::objectPath, node->interfaces[0], &vtable, this, nullptr, nullptr);
        g_dbus_node_info_unref(node);
    }

    // The extension's "Focus" signal to `destination`, as the Shell sends it on a change of focus.
    void focus(const char* destination, bool known, const char* appID, const char* objectPath) {
        GVariantBuilder window;
        g_variant_builder_init(&window, G_VARIANT_TYPE("a{sv}"));
        if (appID)
            g_variant_builder_add(&window, "{sv}", "app-id", g_variant_new_string(appID));
        if (objectPath)
            g_variant_builder_add(&window, "{sv}", "gtk-window-object-path",
                                  g_variant_new_string(objectPath));
        g_dbus_connection_emit_signal(connection_, destination, ShellExtensionBus::objectPath,
                                      ShellExtensionBus::interfaceName, "Focus",
                                      g_variant_new("(ba{sv})", known, &window), nullptr);
        g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
    }

    // Any other signal of the extension to `destination`.
    void emit(const char* destination, const char* member, GVariant* parameters) {
        g_dbus_connection_emit_signal(connection_, destination, ShellExtensionBus::objectPath,
                                      ShellExtensionBus::interfaceName, member, parameters, nullptr);
        g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
    }

    GDBusConnection* connection() const { return connection_; }
    std::vector<std::string> calls;
    std::map<guint32, std::string> grabs;
    // Whether a grab of the combination is refused (held by another binding).
    std::function<bool(const std::string&)> refuses;

private:
    guint32 lastAction_ = 0;
    GDBusConnection* connection_;
    unsigned registration_ = 0;
    unsigned owned_ = 0;
    std::vector<GDBusMethodInvocation*> held_;
};

class ShellExtensionServices : public ::testing::Test {
protected:
    // The desktop's shortcut list lives in memory, never in the user's settings.
    static void SetUpTestSuite() { ::setenv("GSETTINGS_BACKEND", "memory", 1); }
    void SetUp() override {
        // Held for the test, so that the program's services share this connection and its name.
        bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
        if (!bus_)
            GTEST_SKIP() << "no session bus";
        ownName_ = g_dbus_connection_get_unique_name(bus_);
    }
    void TearDown() override {
        if (bus_)
            g_object_unref(bus_);
    }
    GDBusConnection* bus_ = nullptr;
    std::string ownName_;
};

} // namespace

// Start-up asks whether the extension runs without waiting (the stand-in, like a stuck Shell, answers
// only once the event loop runs), and the hot keys registered meanwhile go to the implementation chosen
// from the answer.
TEST_F(ShellExtensionServices, TheHotKeysAreChosenFromTheShellsAnswerWhichStartUpDoesNotWaitFor) {
    for (bool exported : {true, false}) {
        SCOPED_TRACE(exported ? "the extension runs" : "the extension is off");
        StandInShell shell(exported);
        std::optional<bool> answer;
        ShellExtensionBus::askWhetherAnswers([&](bool answers) { answer = answers; });
        EXPECT_FALSE(answer.has_value());
        EXPECT_TRUE(runMainContextUntil([&] { return answer.has_value(); }));
        EXPECT_EQ(answer, exported);
    }

    using Combination = MemoryGlobalHotKeys::Combination;
    const Combination selection{8, 6144}, taken{9, 6144}, later{11, 6144}, dropped{12, 6144};
    DeferredGlobalHotKeys deferred;
    std::vector<std::uint32_t> pressed;
    deferred.setHandler([&](std::uint32_t id) { pressed.push_back(id); });
    const auto first = deferred.registerHotKey(selection.first, selection.second, 1);
    EXPECT_TRUE(deferred.registerHotKey(taken.first, taken.second, 2).has_value());
    const auto gone = deferred.registerHotKey(dropped.first, dropped.second, 3);
    ASSERT_TRUE(first && gone);
    deferred.unregisterHotKey(*gone);
    EXPECT_EQ(deferred.keysHeldAfterPress(), std::chrono::milliseconds(0));

    auto memory = std::make_unique<MemoryGlobalHotKeys>();
    MemoryGlobalHotKeys& chosen = *memory;
    chosen.holdElsewhere(taken);
    chosen.heldAfterPress = std::chrono::milliseconds(250);
    deferred.choose(std::move(memory));
    EXPECT_EQ(chosen.registeredIDs(), (std::map<Combination, std::uint32_t>{{selection, 1}}));
    EXPECT_EQ(deferred.keysHeldAfterPress(), std::chrono::milliseconds(250));
    EXPECT_TRUE(chosen.press(selection));
    EXPECT_EQ(pressed, std::vector<std::uint32_t>{1});

    // Once chosen, a refusal is the chosen one's, and a registration goes straight through.
    EXPECT_FALSE(deferred.registerHotKey(taken.first, taken.second, 4).has_value());
    const auto third = deferred.registerHotKey(later.first, later.second, 5);
    ASSERT_TRUE(third);
    deferred.unregisterHotKey(*first);
    EXPECT_EQ(chosen.registeredIDs(), (std::map<Combination, std::uint32_t>{{later, 5}}));
    // Chosen again (the session changed which one serves), the new one holds every registration, also
    // one the first refused.
    auto next = std::make_unique<MemoryGlobalHotKeys>();
    MemoryGlobalHotKeys& second = *next;
    deferred.choose(std::move(next));
    EXPECT_EQ(deferred.chosen(), &second);
    EXPECT_EQ(second.registeredIDs(), (std::map<Combination, std::uint32_t>{{taken, 2}, {later, 5}}));
    EXPECT_TRUE(second.press(later));
    EXPECT_EQ(pressed, (std::vector<std::uint32_t>{1, 5}));
}

TEST_F(ShellExtensionServices, ShortcutsGoOutWithoutWaitingAndFallBackOnlyWhenTheExtensionIsMissing) {
    MemoryKeySynthesizer xtest;
    {
        StandInShell stuck(true);
        ShellKeySynthesizer keys(xtest);
        EXPECT_TRUE(keys.send(KeySynthesizer::Shortcut::copy));
        // Nothing was waited for: the Shell has not even heard the question yet.
        EXPECT_TRUE(stuck.calls.empty());
        EXPECT_TRUE(runMainContextUntil([&] { return !stuck.calls.empty(); }));
        EXPECT_EQ(stuck.calls, std::vector<std::string>{"SendKeys copy"});
        // Given up on, the stuck Shell gets no second copy through XTest.
        runMainContextUntil([] { return false; }, 3 * ShellKeySynthesizer::answerLimitMs);
        EXPECT_TRUE(xtest.sent.empty());
    }
    StandInShell withoutExtension(false);
    ShellKeySynthesizer keys(xtest);
    EXPECT_TRUE(keys.send(KeySynthesizer::Shortcut::paste));
    EXPECT_TRUE(runMainContextUntil([&] { return !xtest.sent.empty(); }));
    EXPECT_EQ(xtest.sent, std::vector<KeySynthesizer::Shortcut>{KeySynthesizer::Shortcut::paste});
}

TEST_F(ShellExtensionServices, TheFocusedApplicationIsWhatTheShellToldLastWithoutAskingIt) {
    FixedFrontmostApplication x11;
    x11.identifier = "x11-app";
    StandInShell shell(true);
    ShellFrontmostApplication frontmost(x11);
    EXPECT_EQ(frontmost.bundleIdentifier(), "x11-app") << "nothing told yet";

    int changes = 0;
    frontmost.setFocusChangeHandler([&] { ++changes; });
    shell.focus(ownName_.c_str(), true, "org.gnome.Nautilus.desktop", "/org/gnome/Nautilus/window/1");
    EXPECT_TRUE(runMainContextUntil([&] { return frontmost.bundleIdentifier() == "org.gnome.Nautilus"; }));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(frontmost.windowObjectPath(), "/org/gnome/Nautilus/window/1");
    EXPECT_TRUE(shell.calls.empty()) << "the Shell was asked";

    // Another process sends the same signal: it is not the Shell, and changes nothing.
    GDBusConnection* stranger = newBusConnection();
    g_dbus_connection_emit_signal(stranger, ownName_.c_str(), ShellExtensionBus::objectPath,
                                  ShellExtensionBus::interfaceName, "Focus",
                                  g_variant_new_parsed("(true, {'app-id': <'evil.desktop'>})"), nullptr);
    g_dbus_connection_flush_sync(stranger, nullptr, nullptr);
    g_object_unref(stranger);
    runMainContextUntil([] { return false; }, 200);
    EXPECT_EQ(frontmost.bundleIdentifier(), "org.gnome.Nautilus");
    shell.focus(ownName_.c_str(), true, nullptr, nullptr);
    EXPECT_TRUE(runMainContextUntil([&] { return !frontmost.bundleIdentifier(); }))
        << "no window has the focus";

    // What the extension told is what the settings show of it: the stuck Shell is not asked.
    MemoryAccessibilityTrust x11Trust(true);
    WaylandSessionTrust trust(x11Trust);
    trust.setExtensionTold([&] { return frontmost.extensionRuns(); });
    EXPECT_EQ(trust.missingServices(), std::nullopt);

    // The extension switched off: the fallback answers again.
    shell.focus(ownName_.c_str(), false, nullptr, nullptr);
    EXPECT_TRUE(runMainContextUntil([&] { return frontmost.bundleIdentifier() == "x11-app"; }));
    EXPECT_NE(trust.missingServices(), std::nullopt);
}

TEST_F(ShellExtensionServices, AReloadBeforeTheShellAnsweredEndsWithTheNewGrabsAndNoMore) {
    StandInShell shell(true);
    ShellExtensionHotKeys hotKeys(ownName_, [](std::uint32_t keyCode) {
        return std::optional<std::string>(std::string(1, char('a' + keyCode)));
    });
    auto accelerators = [&] {
        std::set<std::string> held;
        for (const auto& [action, accelerator] : shell.grabs)
            held.insert(accelerator);
        return held;
    };
    const std::uint32_t control = GlobalHotKeys::controlModifier;
    EXPECT_FALSE(hotKeys.registerHotKey(0, GlobalHotKeys::shiftModifier, 1)) << "Shift alone";
    // The first grab arrives once this process is known to own the name.
    std::optional<GlobalHotKeys::Reference> first = hotKeys.registerHotKey(0, control, 1);
    ASSERT_TRUE(runMainContextUntil([&] { return shell.grabs.size() == 1; }));
    hotKeys.unregisterHotKey(*first);
    ASSERT_TRUE(runMainContextUntil([&] { return shell.grabs.empty(); }));

    std::vector<GlobalHotKeys::Reference> earlier;
    for (std::uint32_t key = 0; key < 4; ++key)
        earlier.push_back(*hotKeys.registerHotKey(key, control, 10 + key));
    for (GlobalHotKeys::Reference reference : earlier)
        hotKeys.unregisterHotKey(reference);
    for (std::uint32_t key = 4; key < 8; ++key)
        ASSERT_TRUE(hotKeys.registerHotKey(key, control, 10 + key));
    const std::set<std::string> expected{"<Control>e", "<Control>f", "<Control>g", "<Control>h"};
    EXPECT_TRUE(runMainContextUntil([&] { return accelerators() == expected; }));
    drainMainContext();
    EXPECT_EQ(accelerators(), expected);
}

TEST_F(ShellExtensionServices, PressesAndScrollsOverWaylandWindowsComeFromTheShellAndX11OnesFromTheXServer) {
    using Kind = GlobalMouseMonitors::Kind;
    StandInShell shell(true);
    MemoryGlobalMouseMonitors x11;
    ShellGlobalMouseMonitors monitors(x11);
    std::vector<std::string> seen;
    std::vector<GlobalMouseMonitors::Token> tokens;
    for (auto [kind, name] :
         {std::pair{Kind::leftMouseDown, "left"}, std::pair{Kind::rightMouseDown, "right"},
          std::pair{Kind::scrollWheel, "scroll"}, std::pair{Kind::leftMouseUp, "up"}})
        tokens.push_back(*monitors.install(kind, [&seen, name](const GlobalMouseMonitors::Event& event) {
            seen.push_back(std::string(name) + " " + std::to_string(int(event.x)) + "," +
                           std::to_string(int(event.y)));
        }));
    // The subscription's match rule reaches the bus daemon on its own: one call answered on the same
    // connection proves it is in place before the Shell emits.
    GVariant* id = g_dbus_connection_call_sync(bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                               "org.freedesktop.DBus", "GetId", nullptr, nullptr,
                                               G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    ASSERT_TRUE(id);
    g_variant_unref(id);
    auto pointer = [&](const char* gesture, int x, bool overX11) {
        shell.emit(ownName_.c_str(), "Pointer", g_variant_new("(siib)", gesture, x, 5, overX11));
    };
    pointer("press", 10, false);
    pointer("press", 11, true); // the X server reports it
    pointer("right-press", 20, false);
    pointer("scroll", 30, false);
    pointer("release", 40, false);
    x11.fire(Kind::leftMouseUp, {50, 5, 1, 0});
    EXPECT_TRUE(runMainContextUntil([&] { return seen.size() >= 4; }));
    drainMainContext();
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"left 10,5", "right 20,5", "scroll 30,5", "up 50,5"}));

    for (GlobalMouseMonitors::Token token : tokens)
        monitors.remove(token);
    EXPECT_EQ(x11.installedCount(), 0u);
    seen.clear();
    pointer("press", 10, false);
    drainMainContext();
    EXPECT_TRUE(seen.empty());
}

TEST_F(ShellExtensionServices, KeysAreHeldFromAHotKeysPressUntilTheShellTellsItsRelease) {
    StandInShell shell(true);
    ShellExtensionHotKeys hotKeys(ownName_, [](std::uint32_t) { return std::optional<std::string>("c"); });
    std::vector<std::uint32_t> pressed;
    hotKeys.setHandler([&](std::uint32_t id) { pressed.push_back(id); });
    MemoryKeySynthesizer xtest; // the X server sees no key while a Wayland window has the keyboard
    ShellKeySynthesizer keys(xtest);
    keys.setShellKeysHeld([&] { return hotKeys.keysHeld(); });
    ASSERT_TRUE(hotKeys.registerHotKey(8, GlobalHotKeys::controlModifier | GlobalHotKeys::optionModifier, 7));
    ASSERT_TRUE(runMainContextUntil([&] { return shell.grabs.size() == 1; }));
    drainMainContext();
    const guint32 action = shell.grabs.begin()->first;
    EXPECT_FALSE(keys.keysHeld());
    shell.emit(ownName_.c_str(), "Accelerator", g_variant_new("(ub)", action, TRUE));
    EXPECT_TRUE(runMainContextUntil([&] { return !pressed.empty(); }));
    EXPECT_EQ(pressed, std::vector<std::uint32_t>{7});
    EXPECT_TRUE(keys.keysHeld());
    shell.emit(ownName_.c_str(), "Accelerator", g_variant_new("(ub)", action, FALSE));
    EXPECT_TRUE(runMainContextUntil([&] { return !keys.keysHeld(); }));
}

namespace {

// The desktop's custom shortcuts of the program now, by binding, each with its slot.
std::map<std::string, std::uint32_t> programShortcuts() {
    std::map<std::string, std::uint32_t> found;
    GSettings* list = g_settings_new("org.gnome.settings-daemon.plugins.media-keys");
    gchar** paths = g_settings_get_strv(list, "custom-keybindings");
    const std::string prefix = GnomeCustomKeybindings::entryPathPrefix;
    for (gchar** path = paths; *path; ++path) {
        if (!g_str_has_prefix(*path, prefix.c_str()))
            continue;
        GSettings* entry =
            g_settings_new_with_path("org.gnome.settings-daemon.plugins.media-keys.custom-keybinding", *path);
        gchar* binding = g_settings_get_string(entry, "binding");
        found[binding] = std::uint32_t(std::stoul(std::string(*path).substr(prefix.size())));
        g_free(binding);
        g_object_unref(entry);
    }
    g_strfreev(paths);
    g_object_unref(list);
    return found;
}

} // namespace

// The extension switched on while the program runs takes the hot keys over from the desktop's custom
// shortcuts, whose entries go; switched off, it gives them back. Each time the keys are held by one
// road only, with one entry each, and a press through it arrives.
TEST_F(ShellExtensionServices, TheHotKeysFollowTheExtensionSwitchedOnAndOffWithoutARestart) {
    if (!GnomeCustomKeybindings::isAvailable())
        GTEST_SKIP() << "the settings daemon's schemas are not installed";
    StandInShell shell(false);
    // The desktop holds what its list binds, and lets a combination go only a moment after the list
    // stopped binding it: the Shell grants no second grab of it meanwhile.
    int releasing = 0;
    shell.refuses = [&](const std::string& accelerator) {
        return programShortcuts().contains(accelerator) || releasing-- > 0;
    };
    FixedFrontmostApplication accessibilityBus;
    ShellFrontmostApplication frontmost(accessibilityBus);
    auto keyName = [](std::uint32_t) { return std::optional<std::string>("c"); };
    ShellFollowingHotKeys hotKeys(frontmost, ownName_, keyName, [&] {
        return std::make_unique<GnomeCustomKeybindings>(ownName_, keyName);
    });
    std::vector<std::uint32_t> pressed;
    hotKeys.setHandler([&](std::uint32_t id) { pressed.push_back(id); });
    ASSERT_TRUE(hotKeys.registerHotKey(8, GlobalHotKeys::controlModifier | GlobalHotKeys::optionModifier, 7));

    const std::map<std::string, std::uint32_t> noShortcut;
    GDBusConnection* desktop = newBusConnection();
    auto pressThroughShortcut = [&] {
        const std::map<std::string, std::uint32_t> shortcuts = programShortcuts();
        ASSERT_EQ(shortcuts.size(), 1u);
        g_dbus_connection_call(desktop, ownName_.c_str(), GnomeCustomKeybindings::objectPath,
                               GnomeCustomKeybindings::interfaceName, "Pressed",
                               g_variant_new("(u)", shortcuts.begin()->second), nullptr,
                               G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
    };
    auto pressThroughExtension = [&] {
        ASSERT_EQ(shell.grabs.size(), 1u);
        shell.emit(ownName_.c_str(), "Accelerator", g_variant_new("(ub)", shell.grabs.begin()->first, TRUE));
        shell.emit(ownName_.c_str(), "Accelerator", g_variant_new("(ub)", shell.grabs.begin()->first, FALSE));
    };

    struct Step {
        const char* what;
        bool extension;
    };
    for (const Step& step : {Step{"the extension is off at start", false}, Step{"switched on", true},
                             Step{"switched off", false}, Step{"switched on again", true}}) {
        SCOPED_TRACE(step.what);
        if (step.extension) {
            releasing = 2;
            shell.switchExtension(true);
            // Started, it tells the owner of the program's name of itself.
            shell.focus(ownName_.c_str(), true, "org.gnome.Nautilus.desktop", nullptr);
        } else if (hotKeys.throughExtension()) {
            shell.focus(ownName_.c_str(), false, nullptr, nullptr);
            shell.switchExtension(false);
        }
        const std::map<std::string, std::uint32_t> shortcuts{{"<Control><Alt>c", 0}};
        EXPECT_TRUE(runMainContextUntil([&] {
            return step.extension ? programShortcuts() == noShortcut && shell.grabs.size() == 1
                                  : programShortcuts() == shortcuts && shell.grabs.empty();
        })) << programShortcuts().size()
            << " shortcuts, " << shell.grabs.size() << " grabs";
        drainMainContext();
        pressed.clear();
        if (step.extension) {
            EXPECT_EQ(shell.grabs.begin()->second, "<Control><Alt>c");
            pressThroughExtension();
        } else {
            pressThroughShortcut();
        }
        EXPECT_TRUE(runMainContextUntil([&] { return !pressed.empty(); }));
        EXPECT_EQ(pressed, std::vector<std::uint32_t>{7});
    }
    g_object_unref(desktop);
}
