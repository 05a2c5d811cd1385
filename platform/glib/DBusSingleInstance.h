#pragma once

#include "platform/SingleInstance.h"

#include <functional>
#include <memory>

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GVariant GVariant;

namespace ondravell::platform {

// The instance owns the well-known name "K3WQ9ZD7TM.dev.ondravell.Ondravell" on the session bus and
// answers the methods "Reopen" and "Service" (entry name, paths as byte strings: "saay") of the interface of
// that name at "/K3WQ9ZD7TM/dev/ondravell/Ondravell". A later launch finds the name taken, calls one of them
// and ends.
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
    bool forwardToRunningInstance(const ServiceRequest& request) override;
    Claim claim(Handlers handlers, const std::optional<ServiceRequest>& request = std::nullopt) override;

private:
    GDBusConnection* connection_ = nullptr;
    unsigned registration_ = 0;
    bool callRunningInstance(const char* method, GVariant* parameters);

    std::unique_ptr<Handlers> handlers_;
};

} // namespace ondravell::platform
