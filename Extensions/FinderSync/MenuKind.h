#pragma once

namespace ondravell {

// Which menu the file manager asks for. Only the first two are served: the file manager has no
// sidebar or toolbar menus for extensions, and an extension asked for them anyway returns nothing.
enum class MenuKind {
    contextualMenuForItems = 0,
    contextualMenuForContainer = 1,
    contextualMenuForSidebar = 2,
    toolbarItemMenu = 3,
};

} // namespace ondravell
