#include "App/MainWindow/MainSplitViewController.h"

#include "App/MainWindow/DetailView.h"
#include "App/MainWindow/SidebarView.h"

namespace ondravell {

MainSplitViewController::MainSplitViewController(SettingsNavigation& navigation,
                                                 SettingsPageServices services)
    : QSplitter(Qt::Horizontal),
      sidebar_(new SidebarView(navigation)),
      detail_(new DetailView(navigation, services)) {
    addWidget(sidebar_);
    addWidget(detail_);
    setCollapsible(0, true);
    setCollapsible(1, false);
    setStretchFactor(1, 1);
    setSizes({SidebarView::minimumWidth, 1});
}

} // namespace ondravell
