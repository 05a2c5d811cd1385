#include "App/MainWindow/Widgets/ReorderableRowList.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFrame>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace ondravell {

namespace {
// The dragged row's place, private to this process: a drop from elsewhere is refused.
const QString rowMimeType = QStringLiteral("application/x-ondravell-row");
constexpr int indicatorHeight = 2;
} // namespace

ReorderableRowList::ReorderableRowList(QWidget* parent)
    : QWidget(parent), layout_(new QVBoxLayout(this)), indicator_(new QFrame(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    setAcceptDrops(true);
    indicator_->setFrameShape(QFrame::NoFrame);
    indicator_->setAutoFillBackground(true);
    indicator_->setBackgroundRole(QPalette::Highlight);
    indicator_->hide();
}

void ReorderableRowList::setRows(const std::vector<QWidget*>& rows) {
    for (QWidget* old : rows_) {
        if (std::find(rows.begin(), rows.end(), old) == rows.end()) {
            old->removeEventFilter(this);
            old->deleteLater();
        }
    }
    while (layout_->count() > 0)
        delete layout_->takeAt(0);
    for (QWidget* row : rows) {
        if (std::find(rows_.begin(), rows_.end(), row) == rows_.end())
            row->installEventFilter(this);
        row->setParent(this);
        layout_->addWidget(row);
        row->show();
    }
    rows_ = rows;
}

std::size_t ReorderableRowList::indexOf(const QObject* row) const {
    auto found = std::find(rows_.begin(), rows_.end(), row);
    return static_cast<std::size_t>(found - rows_.begin());
}

std::size_t ReorderableRowList::destinationAt(int y) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (y < rows_[i]->geometry().center().y())
            return i;
    return rows_.size();
}

bool ReorderableRowList::eventFilter(QObject* watched, QEvent* event) {
    std::size_t index = indexOf(watched);
    if (index >= rows_.size())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) {
            pressedRow_ = watched;
            pressPosition_ = press->position().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* move = static_cast<QMouseEvent*>(event);
        if (pressedRow_ == watched && (move->buttons() & Qt::LeftButton) &&
            (move->position().toPoint() - pressPosition_).manhattanLength() >=
                QApplication::startDragDistance()) {
            pressedRow_ = nullptr;
            startDrag(index);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        pressedRow_ = nullptr;
        break;
    case QEvent::ContextMenu:
        showContextMenu(index, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ReorderableRowList::startDrag(std::size_t index) {
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setData(rowMimeType, QByteArray::number(static_cast<qulonglong>(index)));
    drag->setMimeData(data);
    drag->setPixmap(rows_[index]->grab());
    drag->setHotSpot(pressPosition_);
    drag->exec(Qt::MoveAction);
}

void ReorderableRowList::showContextMenu(std::size_t index, const QPoint& globalPosition) {
    QMenu menu(this);
    QAction* up = menu.addAction(QStringLiteral("上移"));
    up->setEnabled(index > 0);
    QAction* down = menu.addAction(QStringLiteral("下移"));
    down->setEnabled(index + 1 < rows_.size());
    QAction* chosen = menu.exec(globalPosition);
    if (chosen && onMoveBy)
        onMoveBy(index, chosen == up ? -1 : 1);
}

void ReorderableRowList::showIndicator(std::size_t destination) {
    int y = destination < rows_.size() ? rows_[destination]->geometry().top() : height();
    indicator_->setGeometry(0, std::clamp(y - indicatorHeight / 2, 0, height() - indicatorHeight), width(),
                            indicatorHeight);
    indicator_->raise();
    indicator_->show();
}

void ReorderableRowList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && event->mimeData()->hasFormat(rowMimeType))
        event->acceptProposedAction();
}

void ReorderableRowList::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() != this)
        return;
    showIndicator(destinationAt(event->position().toPoint().y()));
    event->acceptProposedAction();
}

void ReorderableRowList::dragLeaveEvent(QDragLeaveEvent*) {
    indicator_->hide();
}

void ReorderableRowList::dropEvent(QDropEvent* event) {
    indicator_->hide();
    if (event->source() != this)
        return;
    bool ok = false;
    auto source = event->mimeData()->data(rowMimeType).toULongLong(&ok);
    if (!ok || source >= rows_.size())
        return;
    event->acceptProposedAction();
    if (onMove)
        onMove({static_cast<std::size_t>(source)}, destinationAt(event->position().toPoint().y()));
}

} // namespace ondravell
