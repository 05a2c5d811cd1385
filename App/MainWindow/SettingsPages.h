#pragma once

#include "App/MainWindow/SettingsNavigation.h"

#include <functional>

class QWidget;

namespace ondravell {

class HistoryActions;

namespace platform {
class AccessibilityTrust;
class FileDialog;
class FinderExtensionStatus;
class InstalledApplications;
class KeyboardLayout;
class LoginItem;
class SystemSettingsOpener;
class UserDefaults;
} // namespace platform

// The platform services the settings window and its pages use, made by the program's composition root.
struct SettingsPageServices {
    platform::UserDefaults& userDefaults;
    platform::FileDialog& fileDialog;
    platform::InstalledApplications& applications;
    // What the history page undoes with; without it the page shows its title only.
    const HistoryActions* historyActions = nullptr;
    // What the general page shows and switches; without the first two it shows its title only.
    platform::LoginItem* loginItem = nullptr;
    platform::FinderExtensionStatus* extensionStatus = nullptr;
    platform::SystemSettingsOpener* settingsOpener = nullptr;
    // How key presses become hot keys; without it the recorders record nothing.
    const platform::KeyboardLayout* keyboardLayout = nullptr;
    // Registers the global hot keys again after the settings changed them.
    std::function<void()> reloadHotKeys = nullptr;
    // Whether the process may watch global input; without it the selection toolbar counts as untrusted.
    platform::AccessibilityTrust* trust = nullptr;
    // Stops the selection toolbar's automatic trigger and starts it again as the settings file says.
    std::function<void()> rearmSelectionTrigger = nullptr;
};

// The widget of one page, made the first time the page is shown. A page that has no view of its own
// yet shows its title.
QWidget* makeSettingsPage(SettingsNavigation::Section section, SettingsPageServices services);

// Looks up, once, the fonts and draws the pictures of the pages that spend most of their first showing
// on them (the selection toolbar's glyphs and captions), so that a page shown later costs only its
// own building. The program calls it at idle after start-up.
void warmUpSettingsPages();

} // namespace ondravell
