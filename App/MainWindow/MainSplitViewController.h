#pragma once

#include "App/MainWindow/SettingsNavigation.h"
#include "App/MainWindow/SettingsPages.h"

#include <QSplitter>

namespace ondravell {

class DetailView;
class SidebarView;

// The settings window's two panes side by side: the sidebar (collapsible, 180 to 240 px wide) and the
// detail pane, which takes the rest of the width.
class MainSplitViewController final : public QSplitter {
public:
    MainSplitViewController(SettingsNavigation& navigation, SettingsPageServices services);

    SidebarView* sidebar() const { return sidebar_; }
    DetailView* detail() const { return detail_; }

private:
    SidebarView* sidebar_;
    DetailView* detail_;
};

} // namespace ondravell
