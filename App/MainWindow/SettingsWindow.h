#pragma once

#include "App/MainWindow/SettingsNavigation.h"

#include <QWidget>

class QAction;
class QListWidget;
class QStackedWidget;

namespace ondravell {

// The settings window: a toolbar with back and forward, a sidebar of the six pages and the page shown
// beside it.
class SettingsWindow final : public QWidget {
public:
    SettingsWindow();

    void select(SettingsNavigation::Section section);
    // Puts `page` in place of the section's page; the window owns it from then on.
    void setPage(SettingsNavigation::Section section, QWidget* page);
    SettingsNavigation::Section current() const { return navigation_.current(); }

private:
    void showCurrent();

    SettingsNavigation navigation_;
    QAction* back_;
    QAction* forward_;
    QListWidget* sidebar_;
    QStackedWidget* pages_;
};

} // namespace ondravell
