#include "App/Host/MenuBarItem.h"

#include "App/Host/MenuBarIcon.h"
#include "platform/UserDefaults.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

namespace ondravell {

MenuBarItem::MenuBarItem(platform::UserDefaults& defaults, Commands commands)
    : defaults_(defaults), menu_(new QMenu), icon_(new QSystemTrayIcon(this)) {
    auto run = [](const std::function<void()>& command) {
        return [command] {
            if (command)
                command();
        };
    };
    menu_->addAction(QIcon::fromTheme(QStringLiteral("preferences-system")), QStringLiteral("设置…"),
                     run(commands.openSettings));
    menu_->addAction(QIcon::fromTheme(QStringLiteral("document-open-recent")), QStringLiteral("历史"),
                     run(commands.openHistory));
    menu_->addSeparator();
    menu_->addAction(QIcon::fromTheme(QStringLiteral("application-exit")), QStringLiteral("退出"),
                     run(commands.quit));

    icon_->setIcon(MenuBarIcon::make());
    icon_->setToolTip(QStringLiteral("Ondravell"));
    icon_->setContextMenu(menu_);
    // A left click opens the same content as a right click.
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            menu_->popup(QCursor::pos());
    });
}

MenuBarItem::~MenuBarItem() {
    delete menu_;
}

void MenuBarItem::refresh() {
    bool hidden = defaults_.boolForKey(hideMenuBarIconKey).value_or(false);
    icon_->setVisible(!hidden);
}

bool MenuBarItem::isHidden() const {
    return defaults_.boolForKey(hideMenuBarIconKey).value_or(false) ||
           !QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace ondravell
