#include "App/Host/MenuBarItem.h"

#include "App/History/HistoryActions.h"
#include "App/Host/MenuBarContent.h"
#include "App/Host/MenuBarIcon.h"
#include "App/Symbols/SymbolImage.h"
#include "App/Widgets/PlainToolTip.h"
#include "platform/UserDefaults.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace ondravell {

MenuBarItem::MenuBarItem(platform::UserDefaults& defaults, const HistoryActions& history, Commands commands)
    : defaults_(defaults),
      history_(history),
      menu_(new QMenu),
      icon_(new QSystemTrayIcon(this)),
      popup_(new MenuBarContent(
          MenuBarContentModel(history, commands.isExtensionEnabled),
          {commands.openSettings, commands.openHistory, commands.quit, commands.openExtensionSettings})) {
    auto run = [](const std::function<void()>& command) {
        return [command] {
            if (command)
                command();
        };
    };
    const QColor ink = menu_->palette().color(QPalette::WindowText);
    // Shown only while there is something to undo; it undoes what the popup's undo row would.
    undo_ = menu_->addAction(SymbolImage::icon(QStringLiteral("arrow.uturn.backward"), ink),
                             QStringLiteral("撤销"), this, [this] {
                                 if (std::optional<FileOperation> latest = history_.latestUndoable())
                                     history_.undo(*latest);
                             });
    menu_->addAction(SymbolImage::icon(QStringLiteral("gearshape"), ink), QStringLiteral("设置…"),
                     run(commands.openSettings));
    menu_->addAction(SymbolImage::icon(QStringLiteral("clock.arrow.circlepath"), ink), QStringLiteral("历史"),
                     run(commands.openHistory));
    menu_->addSeparator();
    menu_->addAction(SymbolImage::icon(QStringLiteral("power"), ink), QStringLiteral("退出"),
                     run(commands.quit));
    connect(menu_, &QMenu::aboutToShow, this, [this] { updateMenu(); });
    updateMenu();

    icon_->setIcon(MenuBarIcon::make());
    icon_->setToolTip(QStringLiteral("Ondravell"));
    icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            showPopup();
    });
}

MenuBarItem::~MenuBarItem() {
    delete popup_;
    delete menu_;
}

void MenuBarItem::updateMenu() {
    std::optional<FileOperation> latest = history_.latestUndoable();
    undo_->setVisible(latest.has_value());
    if (latest)
        undo_->setToolTip(plainToolTip(QString::fromStdString(latest->title() + " · " + latest->detail())));
}

void MenuBarItem::showPopup() {
    popup_->popUp(icon_->geometry());
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
