#include "App/MainWindow/Widgets/SettingsPage.h"

#include "App/MainWindow/Widgets/SettingsSection.h"

#include <QShowEvent>
#include <QVBoxLayout>

namespace ondravell {

namespace {
constexpr int pageMargin = 20;
constexpr int sectionSpacing = 18;
} // namespace

SettingsPage::SettingsPage(QWidget* parent) : QScrollArea(parent), column_(new QVBoxLayout) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    column_->setContentsMargins(pageMargin, pageMargin, pageMargin, pageMargin);
    column_->setSpacing(sectionSpacing);
    column_->addStretch(1);
    content->setLayout(column_);
    setWidget(content);
}

void SettingsPage::addSection(SettingsSection* section) {
    addWidget(section);
}

void SettingsPage::addWidget(QWidget* widget) {
    column_->insertWidget(column_->count() - 1, widget);
}

void SettingsPage::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    // Only a real showing reloads: the window's own re-show after minimising is spontaneous too, but a
    // page that was already on screen keeps what it shows.
    if (!event->spontaneous())
        reload();
}

} // namespace ondravell
