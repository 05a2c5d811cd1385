#pragma once

#include "App/MainWindow/SettingsNavigation.h"

class QWidget;

namespace ondravell {

class HistoryActions;

namespace platform {
class FileDialog;
class InstalledApplications;
class UserDefaults;
} // namespace platform

// The platform services the settings window and its pages use, made by the program's composition root.
struct SettingsPageServices {
    platform::UserDefaults& userDefaults;
    platform::FileDialog& fileDialog;
    platform::InstalledApplications& applications;
    // What the history page undoes with; without it the page shows its title only.
    const HistoryActions* historyActions = nullptr;
};

// The widget of one page, made the first time the page is shown. A page that has no view of its own
// yet shows its title.
QWidget* makeSettingsPage(SettingsNavigation::Section section, SettingsPageServices services);

} // namespace ondravell
