#include "platform/glib/DBusNotificationCenter.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

using namespace ondravell::platform;

namespace {

// Runs the default main context until `done` or the time is up.
bool spinUntil(const bool& done, int milliseconds) {
    gint64 deadline = g_get_monotonic_time() + gint64{milliseconds} * 1000;
    while (!done && g_get_monotonic_time() < deadline)
        g_main_context_iteration(nullptr, FALSE), g_usleep(1000);
    return done;
}

bool runPoster(const char* name) {
    const gchar* argv[] = {POST_NOTIFICATION_TOOL, name, nullptr};
    gint status = 0;
    GError* error = nullptr;
    bool ok = g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr,
                           nullptr, nullptr, &status, &error);
    if (error)
        g_error_free(error);
    return ok && g_spawn_check_wait_status(status, nullptr);
}

} // namespace

TEST(DBusNotificationAddress, SplitsTheNameAtItsLastDot) {
    auto address = DBusNotificationCenter::addressFor("K3WQ9ZD7TM.dev.ondravell.showToast");
    EXPECT_EQ(address.interfaceName, "K3WQ9ZD7TM.dev.ondravell");
    EXPECT_EQ(address.member, "showToast");
    EXPECT_EQ(address.objectPath, "/K3WQ9ZD7TM/dev/ondravell");
    EXPECT_TRUE(DBusNotificationCenter::addressFor("nodot").member.empty());
    EXPECT_TRUE(DBusNotificationCenter::addressFor("a.b.9bad").member.empty());
}

TEST(DBusNotificationCenterBus, AnotherProcessReceivesWhatOneProcessPosts) {
    DBusNotificationCenter center;
    ASSERT_TRUE(center.isConnected()) << "needs a session bus (run under dbus-run-session)";
    bool toast = false;
    bool progress = false;
    center.addObserver("K3WQ9ZD7TM.dev.ondravell.showToast", [&] { toast = true; });
    auto token = center.addObserver("K3WQ9ZD7TM.dev.ondravell.progressUpdate", [&] { progress = true; });
    center.removeObserver(token);
    // Let the match rules reach the bus before the other process posts.
    g_dbus_connection_flush_sync(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr), nullptr, nullptr);

    ASSERT_TRUE(runPoster("K3WQ9ZD7TM.dev.ondravell.showToast"));
    ASSERT_TRUE(runPoster("K3WQ9ZD7TM.dev.ondravell.progressUpdate"));
    EXPECT_TRUE(spinUntil(toast, 5000));
    bool never = false;
    spinUntil(never, 200);
    EXPECT_FALSE(progress);
}
