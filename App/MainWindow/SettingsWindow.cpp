#include "App/MainWindow/SettingsWindow.h"

#include "App/MainWindow/Models/SettingsWindowSizing.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SegmentedControl.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "core/SharedConfig/ODLocalized.h"
#include "platform/UserDefaults.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace ondravell {

namespace {

using Sizing = SettingsWindowSizing;

constexpr int sidebarMinimumWidth = 180;
constexpr int sidebarMaximumWidth = 240;
constexpr int sidebarRowHeight = 32;
constexpr int sidebarIconSize = 18;
constexpr QSize detailMinimumSize{480, 440};
constexpr double titlePointSize = 15;

std::size_t indexOf(SettingsNavigation::Section section) {
    for (std::size_t i = 0; i < SettingsNavigation::allSections.size(); ++i)
        if (SettingsNavigation::allSections[i] == section)
            return i;
    return 0;
}

Sizing::Size sizeOf(const QSize& size) {
    return {static_cast<double>(size.width()), static_cast<double>(size.height())};
}

// The symbol's icon, or the style's own arrow where the icon theme has none.
QIcon navigationIcon(std::string_view symbol, QStyle::StandardPixmap fallback, const QStyle* style) {
    QIcon icon = symbolIcon(symbol);
    return icon.isNull() ? style->standardIcon(fallback) : icon;
}

} // namespace

SettingsWindow::SettingsWindow(SettingsNavigation& navigation, SettingsPageServices services)
    : QWidget(nullptr, Qt::Window),
      navigation_(navigation),
      services_(services),
      sidebar_(new QListWidget),
      pages_(new QStackedWidget),
      splitter_(new QSplitter(Qt::Horizontal)) {
    setWindowTitle(QString::fromStdString(ODLocalizedKey("Ondravell 设置")));
    for (auto section : SettingsNavigation::allSections) {
        auto* item = new QListWidgetItem(symbolIcon(SettingsNavigation::symbol(section)),
                                         toQString(SettingsNavigation::title(section)));
        item->setSizeHint(QSize(0, sidebarRowHeight));
        sidebar_->addItem(item);
        pages_->addWidget(new QWidget); // the page itself is made when first shown
    }
    sidebar_->setIconSize(QSize(sidebarIconSize, sidebarIconSize));
    sidebar_->setMinimumWidth(sidebarMinimumWidth);
    sidebar_->setMaximumWidth(sidebarMaximumWidth);
    sidebar_->setFrameShape(QFrame::NoFrame);
    connect(sidebar_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(SettingsNavigation::allSections.size()))
            navigation_.setSelection(SettingsNavigation::allSections[static_cast<std::size_t>(row)]);
    });
    pages_->setMinimumSize(detailMinimumSize);

    splitter_->addWidget(sidebar_);
    splitter_->addWidget(pages_);
    splitter_->setCollapsible(0, true);
    splitter_->setCollapsible(1, false);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({sidebarMinimumWidth, 1});

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeToolbar());
    column->addWidget(splitter_, 1);

    observation_ = navigation_.addObserver([this] { refresh(); });
    refresh();
}

SettingsWindow::~SettingsWindow() {
    navigation_.removeObserver(observation_);
}

QToolBar* SettingsWindow::makeToolbar() {
    auto* toolbar = new QToolBar;
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QAction* toggle = toolbar->addAction(
        navigationIcon("sidebar.left", QStyle::SP_FileDialogListView, style()), QStringLiteral("边栏"));
    connect(toggle, &QAction::triggered, this, [this] { sidebar_->setVisible(!sidebar_->isVisible()); });

    navigationControl_ = new SegmentedControl(
        {{{}, navigationIcon("chevron.backward", QStyle::SP_ArrowBack, style()), QStringLiteral("后退")},
         {{}, navigationIcon("chevron.forward", QStyle::SP_ArrowForward, style()), QStringLiteral("前进")}},
        SegmentedControl::Style::momentary);
    navigationControl_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    navigationControl_->onActivated = [this](int segment) {
        if (segment == 0)
            navigation_.goBack();
        else
            navigation_.goForward();
    };
    toolbar->addWidget(navigationControl_);

    title_ = new QLabel;
    QFont font = title_->font();
    font.setPointSizeF(titlePointSize);
    font.setWeight(QFont::DemiBold);
    title_->setFont(font);
    title_->setContentsMargins(8, 0, 0, 0);
    toolbar->addWidget(title_);
    return toolbar;
}

void SettingsWindow::refresh() {
    std::size_t index = indexOf(navigation_.selection());
    if (!made_[index]) {
        QWidget* stub = pages_->widget(static_cast<int>(index));
        made_[index] = makeSettingsPage(navigation_.selection(), services_);
        pages_->insertWidget(static_cast<int>(index), made_[index]);
        pages_->removeWidget(stub);
        delete stub;
    }
    {
        QSignalBlocker blocker(sidebar_);
        sidebar_->setCurrentRow(static_cast<int>(index));
    }
    pages_->setCurrentIndex(static_cast<int>(index));
    navigationControl_->setSegmentEnabled(0, navigation_.canGoBack());
    navigationControl_->setSegmentEnabled(1, navigation_.canGoForward());
    title_->setText(QString::fromStdString(navigation_.currentTitle()));
}

QWidget* SettingsWindow::page(SettingsNavigation::Section section) const {
    return made_[indexOf(section)];
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
