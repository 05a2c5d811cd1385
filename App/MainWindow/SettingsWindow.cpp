#include "App/MainWindow/SettingsWindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace ondravell {

namespace {
constexpr QSize preferredSize{820, 560};
constexpr int sidebarWidth = 180;

int indexOf(SettingsNavigation::Section section) {
    for (std::size_t i = 0; i < SettingsNavigation::allSections.size(); ++i)
        if (SettingsNavigation::allSections[i] == section)
            return static_cast<int>(i);
    return 0;
}

QString titleOf(SettingsNavigation::Section section) {
    auto title = SettingsNavigation::title(section);
    return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}
} // namespace

SettingsWindow::SettingsWindow()
    : QWidget(nullptr, Qt::Window), sidebar_(new QListWidget), pages_(new QStackedWidget) {
    setWindowTitle(QStringLiteral("Ondravell 设置"));
    resize(preferredSize);

    auto* toolbar = new QToolBar;
    back_ = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("后退"));
    forward_ = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("前进"));
    connect(back_, &QAction::triggered, this, [this] {
        navigation_.goBack();
        showCurrent();
    });
    connect(forward_, &QAction::triggered, this, [this] {
        navigation_.goForward();
        showCurrent();
    });

    sidebar_->setFixedWidth(sidebarWidth);
    for (auto section : SettingsNavigation::allSections) {
        sidebar_->addItem(titleOf(section));
        // Each page's own view comes with the settings pages; until then it names itself.
        auto* page = new QLabel(titleOf(section));
        page->setAlignment(Qt::AlignCenter);
        pages_->addWidget(page);
    }
    connect(sidebar_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(SettingsNavigation::allSections.size()))
            select(SettingsNavigation::allSections[static_cast<std::size_t>(row)]);
    });

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(sidebar_);
    body->addWidget(pages_, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbar);
    column->addLayout(body, 1);
    showCurrent();
}

void SettingsWindow::select(SettingsNavigation::Section section) {
    navigation_.select(section);
    showCurrent();
}

void SettingsWindow::setPage(SettingsNavigation::Section section, QWidget* page) {
    int index = indexOf(section);
    QWidget* old = pages_->widget(index);
    pages_->insertWidget(index, page);
    pages_->removeWidget(old);
    delete old;
    showCurrent();
}

void SettingsWindow::showCurrent() {
    int index = indexOf(navigation_.current());
    {
        QSignalBlocker blocker(sidebar_);
        sidebar_->setCurrentRow(index);
    }
    pages_->setCurrentIndex(index);
    back_->setEnabled(navigation_.canGoBack());
    forward_->setEnabled(navigation_.canGoForward());
}

} // namespace ondravell
