#pragma once

#include "App/MainWindow/SettingsNavigation.h"

#include <QListWidget>

namespace ondravell {

// The settings window's sidebar: the six pages with their titles and symbols. Clicking a row selects
// its page in the shared navigation state; `refresh()` shows the selected page's row.
class SidebarView final : public QListWidget {
public:
    static constexpr int minimumWidth = 180;
    static constexpr int maximumWidth = 240;

    explicit SidebarView(SettingsNavigation& navigation);

    void refresh();

private:
    SettingsNavigation& navigation_;
};

} // namespace ondravell
