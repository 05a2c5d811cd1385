#pragma once

#include "platform/SingleInstance.h"

#include <functional>
#include <memory>

typedef struct _GDBusConnection GDBusConnection;

namespace ondravell::platform {

// The instance owns the well-known name "K3WQ9ZD7TM.dev.ondravell.Ondravell" on the session bus and
// answers the method "Reopen" of the interface of that name at "/K3WQ9ZD7TM/dev/ondravell/Ondravell".
// A later launch finds the name taken, calls Reopen and ends.
class DBusSingleInstance final : public SingleInstance {
public:
    static constexpr const char* busName = "K3WQ9ZD7TM.dev.ondravell.Ondravell";
    static constexpr const char* objectPath = "/K3WQ9ZD7TM/dev/ondravell/Ondravell";
    static constexpr const char* interfaceName = "K3WQ9ZD7TM.dev.ondravell.Ondravell";

    DBusSingleInstance();
    ~DBusSingleInstance() override;
    DBusSingleInstance(const DBusSingleInstance&) = delete;
    DBusSingleInstance& operator=(const DBusSingleInstance&) = delete;

    bool reopenRunningInstance() override;
    Claim claim(std::function<void()> onReopen) override;

private:
    GDBusConnection* connection_ = nullptr;
    unsigned registration_ = 0;
    std::unique_ptr<std::function<void()>> onReopen_;
};

} // namespace ondravell::platform
