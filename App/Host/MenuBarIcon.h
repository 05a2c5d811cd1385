#pragma once

#include <QIcon>

namespace ondravell {

// The tray image: a ring with a dot, drawn in the desktop's text colour so it suits light and dark
// panels alike.
struct MenuBarIcon {
    static QIcon make();
};

} // namespace ondravell
