#pragma once

#include "App/MainWindow/SettingsNavigation.h"
#include "App/MainWindow/SettingsPages.h"

#include <QStackedWidget>
#include <array>

namespace ondravell {

// The settings window's detail pane: the page selected in the shared navigation state. Each page is
// made the first time it is shown and kept while the window lives.
class DetailView final : public QStackedWidget {
public:
    DetailView(SettingsNavigation& navigation, SettingsPageServices services);

    // Shows the selected page, making it first when it has not been shown yet.
    void refresh();
    // The page's widget once it has been shown.
    QWidget* page(SettingsNavigation::Section section) const;

private:
    SettingsNavigation& navigation_;
    SettingsPageServices services_;
    std::array<QWidget*, SettingsNavigation::allSections.size()> made_{};
};

} // namespace ondravell
