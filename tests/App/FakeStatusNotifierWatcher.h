#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <thread>

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GMainContext GMainContext;
typedef struct _GMainLoop GMainLoop;

namespace ondravell::test {

// The least a tray host offers on the session bus: it owns "org.kde.StatusNotifierWatcher", says a host
// is registered, and remembers where the first item that registers can be reached. Calls are served on
// a thread of its own, so the test may block while it waits.
class FakeStatusNotifierWatcher {
public:
    struct Item {
        std::string busName;
        std::string objectPath;
    };

    FakeStatusNotifierWatcher();
    ~FakeStatusNotifierWatcher();
    FakeStatusNotifierWatcher(const FakeStatusNotifierWatcher&) = delete;
    FakeStatusNotifierWatcher& operator=(const FakeStatusNotifierWatcher&) = delete;

    // False when the session bus or the name could not be had.
    bool isServing() const { return serving_; }
    std::optional<Item> registeredItem() const;
    // A string property of the item's org.kde.StatusNotifierItem interface; for "ToolTip", its title.
    static std::optional<std::string> itemText(const Item& item, const char* property);

    // What a RegisterStatusNotifierItem call from `sender` does.
    void registerItem(const std::string& sender, const std::string& service);

private:
    GDBusConnection* bus_ = nullptr;
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    unsigned object_ = 0;
    bool serving_ = false;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::optional<Item> item_;
};

} // namespace ondravell::test
