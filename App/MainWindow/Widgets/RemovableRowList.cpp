#include "App/MainWindow/Widgets/RemovableRowList.h"

#include "App/MainWindow/Widgets/ListRows.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace ondravell {

RemovableRowList::RemovableRowList(const QFont& detailFont, const QIcon& leadingIcon, QWidget* parent)
    : QWidget(parent),
      detailFont_(detailFont),
      leadingIcon_(leadingIcon),
      column_(new QVBoxLayout),
      scrollBar_(new QScrollBar(Qt::Vertical)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    column_->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(column_, 1);
    layout->addWidget(scrollBar_);
    scrollBar_->setSingleStep(1);
    scrollBar_->setPageStep(static_cast<int>(shownRows));
    scrollBar_->hide();
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { showEntries(); });
}

std::size_t RemovableRowList::firstShown() const {
    return static_cast<std::size_t>(scrollBar_->value());
}

void RemovableRowList::setCount(std::size_t count) {
    count_ = count;
    const std::size_t wanted = std::min(count, shownRows);
    while (rows_.size() < wanted) {
        auto* row = new RemovableRow(detailFont_, leadingIcon_);
        const std::size_t position = rows_.size();
        connect(row->removeButton(), &QToolButton::clicked, this, [this, position] {
            if (onRemove)
                onRemove(firstShown() + position);
        });
        column_->addWidget(row);
        rows_.push_back(row);
    }
    while (rows_.size() > wanted) {
        // Deleted later: the row's own delete button may be what shortened the list.
        RemovableRow* row = rows_.back();
        rows_.pop_back();
        column_->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    const int last = static_cast<int>(count - wanted);
    {
        QSignalBlocker blocker(scrollBar_);
        scrollBar_->setRange(0, last);
    }
    scrollBar_->setVisible(last > 0);
    showEntries();
}

void RemovableRowList::showEntries() {
    const std::size_t first = firstShown();
    for (std::size_t position = 0; position < rows_.size(); ++position) {
        Entry entry = entryAt ? entryAt(first + position) : Entry{};
        rows_[position]->setTexts(entry.title, entry.detail);
    }
}

void RemovableRowList::wheelEvent(QWheelEvent* event) {
    if (scrollBar_->isVisible())
        QApplication::sendEvent(scrollBar_, event);
    else
        event->ignore();
}

} // namespace ondravell
