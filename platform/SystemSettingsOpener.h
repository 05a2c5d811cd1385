#pragma once

#include "platform/SystemSettingsPane.h"

namespace ondravell::platform {

// Opens the desktop tool nearest to a settings pane.
class SystemSettingsOpener {
public:
    virtual ~SystemSettingsOpener() = default;

    // False when the desktop has no such tool or it could not be started.
    virtual bool open(SystemSettingsPane pane) = 0;
};

} // namespace ondravell::platform
