#include "App/MainWindow/SettingsWindow.h"

#include "App/MainWindow/DetailView.h"
#include "App/MainWindow/Models/SettingsWindowSizing.h"
#include "App/MainWindow/SidebarView.h"
#include "core/SharedConfig/ODLocalized.h"
#include "platform/UserDefaults.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace ondravell {

namespace {

using Sizing = SettingsWindowSizing;

Sizing::Size sizeOf(const QSize& size) {
    return {static_cast<double>(size.width()), static_cast<double>(size.height())};
}

} // namespace

SettingsWindow::SettingsWindow(SettingsNavigation& navigation, SettingsPageServices services)
    : QWidget(nullptr, Qt::Window),
      navigation_(navigation),
      services_(services),
      toolbarDelegate_(navigation),
      split_(new MainSplitViewController(navigation, services)) {
    setWindowTitle(QString::fromStdString(ODLocalizedKey("Ondravell 设置")));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbarDelegate_.makeToolbar(split_->sidebar()));
    column->addWidget(split_, 1);

    observation_ = navigation_.addObserver([this] { refresh(); });
    refresh();
}

SettingsWindow::~SettingsWindow() {
    navigation_.removeObserver(observation_);
}

void SettingsWindow::refresh() {
    split_->detail()->refresh();
    split_->sidebar()->refresh();
    toolbarDelegate_.refresh();
}

QListWidget* SettingsWindow::sidebar() const {
    return split_->sidebar();
}

QWidget* SettingsWindow::page(SettingsNavigation::Section section) const {
    return split_->detail()->page(section);
}

void SettingsWindow::applyPreferredSize(bool newWindow) {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    Sizing::Size available = screen ? sizeOf(screen->availableGeometry().size()) : Sizing::defaultSize;
    std::optional<Sizing::Size> screenSize;
    if (screen)
        screenSize = sizeOf(screen->geometry().size());
    auto preferred = Sizing::preferredContentSize(
        available, services_.userDefaults.stringForKey(std::string(Sizing::sizeKey)),
        services_.userDefaults.stringForKey(std::string(Sizing::screenKey)), screenSize);
    if (!newWindow && Sizing::fits(sizeOf(size()), available))
        return;
    resize(static_cast<int>(preferred.width), static_cast<int>(preferred.height));
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SettingsWindow::saveSize() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    services_.userDefaults.setString(std::string(Sizing::sizeKey), Sizing::stored(sizeOf(size())));
    services_.userDefaults.setString(std::string(Sizing::screenKey),
                                     Sizing::stored(sizeOf(screen->geometry().size())));
}

void SettingsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Sizes set while the window is built are not the user's.
    if (isVisible())
        saveSize();
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    saveSize();
    QWidget::closeEvent(event);
}

} // namespace ondravell
