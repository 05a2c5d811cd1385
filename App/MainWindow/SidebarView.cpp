#include "App/MainWindow/SidebarView.h"

#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"

#include <QSignalBlocker>

namespace ondravell {

namespace {

constexpr int rowHeight = 32;
constexpr int rowIconSize = 18;

} // namespace

SidebarView::SidebarView(SettingsNavigation& navigation) : navigation_(navigation) {
    for (auto section : SettingsNavigation::allSections) {
        auto* item = new QListWidgetItem(symbolIcon(SettingsNavigation::symbol(section)),
                                         toQString(SettingsNavigation::title(section)));
        item->setSizeHint(QSize(0, rowHeight));
        addItem(item);
    }
    setIconSize(QSize(rowIconSize, rowIconSize));
    setMinimumWidth(minimumWidth);
    setMaximumWidth(maximumWidth);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(SettingsNavigation::allSections.size()))
            navigation_.setSelection(SettingsNavigation::allSections[static_cast<std::size_t>(row)]);
    });
}

void SidebarView::refresh() {
    QSignalBlocker blocker(this);
    setCurrentRow(static_cast<int>(SettingsNavigation::indexOf(navigation_.selection())));
}

} // namespace ondravell
