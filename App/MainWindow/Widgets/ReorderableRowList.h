#pragma once

#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <set>
#include <vector>

class QVBoxLayout;
class QFrame;

namespace ondravell {

// A vertical list of row widgets that the user reorders by dragging a row, or through each row's
// context menu ("上移", "下移"). The list only reports the wish: its owner moves its data and hands the
// rows back in the new order with `setRows`, so rows keep their own state as they move.
class ReorderableRowList final : public QWidget {
public:
    explicit ReorderableRowList(QWidget* parent = nullptr);

    // Shows exactly these rows in this order; the list takes them over. Rows shown before and not
    // given again are deleted.
    void setRows(const std::vector<QWidget*>& rows);
    const std::vector<QWidget*>& rows() const { return rows_; }

    // A drag ended: the rows at `sources` go before the row that stood at `destination` (the row
    // count: the end), as `moveElements` does it.
    std::function<void(const std::set<std::size_t>& sources, std::size_t destination)> onMove;
    // "上移" (-1) or "下移" (1) on the row at `index`.
    std::function<void(std::size_t index, int distance)> onMoveBy;

    // Where a drop at `y` (in the list's coordinates) inserts.
    std::size_t destinationAt(int y) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::size_t indexOf(const QObject* row) const;
    void startDrag(std::size_t index);
    void showContextMenu(std::size_t index, const QPoint& globalPosition);
    void showIndicator(std::size_t destination);

    QVBoxLayout* layout_;
    QFrame* indicator_;
    std::vector<QWidget*> rows_;
    QPoint pressPosition_;
    QObject* pressedRow_ = nullptr;
};

} // namespace ondravell
