#pragma once

#include "App/MainWindow/SettingsNavigation.h"
#include "App/MainWindow/SettingsPages.h"

#include <QWidget>
#include <array>

class QLabel;
class QListWidget;
class QSplitter;
class QStackedWidget;
class QToolBar;

namespace ondravell {

class SegmentedControl;

// The settings window: a toolbar with the sidebar switch, back and forward and the page's title; the
// sidebar of the six pages; and the page shown beside it. It follows the shared navigation state,
// whoever changes it, and remembers its content size per screen size in the application's defaults.
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
    QListWidget* sidebar() const { return sidebar_; }
    SegmentedControl* navigationControl() const { return navigationControl_; }
    QLabel* titleLabel() const { return title_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QToolBar* makeToolbar();
    void refresh();
    void saveSize();

    SettingsNavigation& navigation_;
    std::size_t observation_ = 0;
    SettingsPageServices services_;
    QListWidget* sidebar_;
    QStackedWidget* pages_;
    QSplitter* splitter_;
    SegmentedControl* navigationControl_ = nullptr;
    QLabel* title_ = nullptr;
    std::array<QWidget*, SettingsNavigation::allSections.size()> made_{};
};

} // namespace ondravell
