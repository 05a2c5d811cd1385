#pragma once

#include "platform/FileDialog.h"

namespace ondravell {

// The dialog that chooses an application: desktop files, starting in the system's applications
// folder with the user's own one at hand.
platform::FileDialogRequest applicationDialogRequest();

} // namespace ondravell
