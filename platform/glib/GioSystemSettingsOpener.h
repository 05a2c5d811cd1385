#pragma once

#include "platform/SystemSettingsOpener.h"

#include <string>
#include <vector>

namespace ondravell::platform {

// Starts the first installed desktop application of a short list per pane. Nautilus has no switch for
// its extensions (an installed module is enabled), so those panes have no tool and report failure.
class GioSystemSettingsOpener final : public SystemSettingsOpener {
public:
    bool open(SystemSettingsPane pane) override;

    // The desktop-file ids tried for a pane, in order.
    static std::vector<std::string> candidateDesktopIDs(SystemSettingsPane pane);
};

} // namespace ondravell::platform
