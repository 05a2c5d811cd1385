#pragma once

#include "platform/Trash.h"

namespace ondravell::platform {

// The freedesktop trash through GIO: $XDG_DATA_HOME/Trash for the home folder's file system, the
// volume's ".Trash-$UID" (or a per-user folder in its ".Trash") for others, each item with its
// ".trashinfo" record of where it came from and when.
class GioTrash final : public Trash {
public:
    Result moveToTrash(const std::filesystem::path& path) override;
};

} // namespace ondravell::platform
