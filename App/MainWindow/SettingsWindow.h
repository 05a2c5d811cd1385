#pragma once

#include "App/MainWindow/MainSplitViewController.h"
#include "App/MainWindow/SettingsNavigation.h"
#include "App/MainWindow/SettingsPages.h"
#include "App/MainWindow/SettingsToolbarDelegate.h"

#include <QWidget>

class QListWidget;

namespace ondravell {

// The settings window: a toolbar with the sidebar switch, back and forward and the page's title
// (SettingsToolbarDelegate) over the sidebar of the six pages and the page shown beside it
// (MainSplitViewController). It follows the shared navigation state, whoever changes it, and
// remembers its content size per screen size in the application's defaults.
class SettingsWindow final : public QWidget {
public:
    SettingsWindow(SettingsNavigation& navigation, SettingsPageServices services);
    ~SettingsWindow() override;

    // Sizes a new window from what was remembered, or an open one that no longer fits its screen,
    // and centres it then; an open window that fits stays as the user left it.
    void applyPreferredSize(bool newWindow);

    SettingsNavigation::Section current() const { return navigation_.selection(); }
    // The page's widget once it has been shown.
    QWidget* page(SettingsNavigation::Section section) const;
    QListWidget* sidebar() const;
    SegmentedControl* navigationControl() const { return toolbarDelegate_.navigationControl(); }
    QLabel* titleLabel() const { return toolbarDelegate_.titleLabel(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();
    void saveSize();

    SettingsNavigation& navigation_;
    std::size_t observation_ = 0;
    SettingsPageServices services_;
    SettingsToolbarDelegate toolbarDelegate_;
    MainSplitViewController* split_;
};

} // namespace ondravell
