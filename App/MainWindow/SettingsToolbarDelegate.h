#pragma once

#include "App/MainWindow/SettingsNavigation.h"

class QLabel;
class QToolBar;
class QWidget;

namespace ondravell {

class SegmentedControl;

// Builds the settings window's toolbar (the sidebar switch, back and forward, the page's title) and
// keeps its back and forward buttons and title in step with the shared navigation state.
class SettingsToolbarDelegate {
public:
    explicit SettingsToolbarDelegate(SettingsNavigation& navigation) : navigation_(navigation) {}

    // A new toolbar whose switch shows and hides `sidebar`.
    QToolBar* makeToolbar(QWidget* sidebar);
    void refresh();

    SegmentedControl* navigationControl() const { return navigationControl_; }
    QLabel* titleLabel() const { return title_; }

private:
    SettingsNavigation& navigation_;
    SegmentedControl* navigationControl_ = nullptr;
    QLabel* title_ = nullptr;
};

} // namespace ondravell
