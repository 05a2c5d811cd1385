#pragma once

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace ondravell {

class HistoryActions;
class MenuBarContent;
namespace platform {
class UserDefaults;
}

// The application's icon in the desktop's tray, shown while the user default "hideMenuBarIcon" is false.
// A desktop without a tray counts as hidden. A left click opens the popup window under the icon; the
// context menu carries the same commands for trays that only offer a menu.
class MenuBarItem final : public QObject {
public:
    static constexpr const char* hideMenuBarIconKey = "hideMenuBarIcon";

    struct Commands {
        std::function<void()> openSettings;
        std::function<void()> openHistory;
        std::function<void()> quit;
        std::function<void()> openExtensionSettings;
        std::function<bool()> isExtensionEnabled;
    };

    MenuBarItem(platform::UserDefaults& defaults, const HistoryActions& history, Commands commands);
    ~MenuBarItem() override;

    // Shows or hides the icon after the default; call again when it changes.
    void refresh();
    // True when the user cannot reach the application through the tray.
    bool isHidden() const;
    // Opens the popup as a left click on the icon does.
    void showPopup();
    MenuBarContent& popup() const { return *popup_; }

private:
    void updateMenu();

    platform::UserDefaults& defaults_;
    const HistoryActions& history_;
    QMenu* menu_;
    QAction* undo_;
    QSystemTrayIcon* icon_;
    MenuBarContent* popup_;
};

} // namespace ondravell
