#pragma once

#include <QObject>
#include <functional>

class QMenu;
class QSystemTrayIcon;

namespace ondravell {

namespace platform {
class UserDefaults;
}

// The application's icon in the desktop's tray, shown while the user default "hideMenuBarIcon" is false.
// A desktop without a tray counts as hidden.
class MenuBarItem final : public QObject {
public:
    static constexpr const char* hideMenuBarIconKey = "hideMenuBarIcon";

    struct Commands {
        std::function<void()> openSettings;
        std::function<void()> openHistory;
        std::function<void()> quit;
    };

    MenuBarItem(platform::UserDefaults& defaults, Commands commands);
    ~MenuBarItem() override;

    // Shows or hides the icon after the default; call again when it changes.
    void refresh();
    // True when the user cannot reach the application through the tray.
    bool isHidden() const;

private:
    platform::UserDefaults& defaults_;
    QMenu* menu_;
    QSystemTrayIcon* icon_;
};

} // namespace ondravell
