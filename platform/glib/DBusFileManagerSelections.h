#pragma once

#include "platform/FileManagerSelections.h"

typedef struct _GCancellable GCancellable;

namespace ondravell::platform {

// Reads what the file manager's module publishes on the session bus: inside the file manager's
// process it exports, on the file manager's own connection, the object `objectPath` whose read-only
// property "Windows" of the interface `interfaceName`, type a(ssas), lists each window as (object
// path, folder URI or "", selected URIs), the most recently changed first. The property changes are
// announced as invalidations.
class DBusFileManagerSelections final : public FileManagerSelections {
public:
    static constexpr const char* fileManagerBusName = "org.gnome.Nautilus";
    static constexpr const char* objectPath = "/K3WQ9ZD7TM/dev/ondravell/Ondravell/FileManagerSelection";
    static constexpr const char* interfaceName = "K3WQ9ZD7TM.dev.ondravell.FileManagerSelection";
    static constexpr const char* propertyName = "Windows";

    DBusFileManagerSelections();
    ~DBusFileManagerSelections() override;
    DBusFileManagerSelections(const DBusFileManagerSelections&) = delete;
    DBusFileManagerSelections& operator=(const DBusFileManagerSelections&) = delete;

    void windowState(const std::optional<std::string>& windowObjectPath, Handler handler) override;

private:
    GCancellable* cancellable_;
};

} // namespace ondravell::platform
