#pragma once

#include <QIcon>

namespace ondravell {

// The tray image: the application's symbolic icon. Trays that load icons by theme name draw it in the
// panel's own colours; others get it drawn in the desktop's text colour, outlined in its window colour.
struct MenuBarIcon {
    static QIcon make();
};

} // namespace ondravell
