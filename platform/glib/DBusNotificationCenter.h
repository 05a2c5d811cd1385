#pragma once

#include "platform/DistributedNotificationCenter.h"

#include <chrono>
#include <map>
#include <mutex>
#include <string>

typedef struct _GDBusConnection GDBusConnection;

namespace ondravell::platform {

// Notifications as broadcast signals on the session bus. "A.B.C.event" is the signal "event" of the
// interface "A.B.C" on the object path "/A/B/C", without arguments. Observers are called in the GLib
// main context that was the thread's default when they were added (Qt's event loop runs it on the main
// thread). Without a session bus every call does nothing. A post never waits: it is queued on the
// connection, which sends it while the process runs.
class DBusNotificationCenter final : public DistributedNotificationCenter {
public:
    DBusNotificationCenter();
    ~DBusNotificationCenter() override;
    DBusNotificationCenter(const DBusNotificationCenter&) = delete;
    DBusNotificationCenter& operator=(const DBusNotificationCenter&) = delete;

    void post(const std::string& name) override;
    Token addObserver(const std::string& name, Observer observer) override;
    void removeObserver(Token token) override;

    // For a sender that exits right after posting: waits, at most `limit`, until the bus has everything
    // posted so far. Whether it has. Never on a thread that must not wait.
    bool waitUntilDelivered(std::chrono::milliseconds limit);

    bool isConnected() const { return connection_ != nullptr; }

    struct SignalAddress {
        std::string interfaceName;
        std::string member;
        std::string objectPath;
    };
    // nullopt-like empty member when the name has no dot or would not make a valid address.
    static SignalAddress addressFor(const std::string& name);

private:
    GDBusConnection* connection_ = nullptr;
    std::mutex mutex_;
    std::map<Token, unsigned> subscriptions_;
    Token nextToken_ = 1;
};

} // namespace ondravell::platform
