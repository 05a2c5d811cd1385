// Posts the notification named by its argument on the session bus, as the other program would.
#include "platform/glib/DBusNotificationCenter.h"

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    ondravell::platform::DBusNotificationCenter center;
    if (!center.isConnected())
        return 1;
    center.post(argv[1]);
    // A post is only queued; this process ends next.
    return center.waitUntilDelivered(std::chrono::seconds(5)) ? 0 : 1;
}
