#pragma once

#include "App/MainWindow/Widgets/SettingsSection.h"

namespace ondravell {

// The general page's file-access section: the program runs as the user and can reach every file the
// user can, so access is always granted; the note says when it matters.
class FullDiskAccessRow final : public SettingsSection {
public:
    FullDiskAccessRow();
};

} // namespace ondravell
