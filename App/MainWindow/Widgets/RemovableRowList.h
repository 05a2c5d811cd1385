#pragma once

#include <QFont>
#include <QIcon>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <vector>

class QScrollBar;
class QVBoxLayout;

namespace ondravell {

class RemovableRow;

// The rows of a list the user edits, over entries that the caller keeps. At most `shownRows` rows
// exist at a time: a longer list (written by hand; the pages stop adding at 8) scrolls inside them, each
// row showing another entry, so that a list of any length costs the same to show.
class RemovableRowList final : public QWidget {
public:
    struct Entry {
        QString title;
        QString detail;
    };

    static constexpr std::size_t shownRows = 12;

    explicit RemovableRowList(const QFont& detailFont, const QIcon& leadingIcon = {},
                              QWidget* parent = nullptr);

    // The entry at an index below the count.
    std::function<Entry(std::size_t index)> entryAt;
    // A row's delete button: the entry it shows.
    std::function<void(std::size_t index)> onRemove;

    // The list now holds `count` entries; the rows show them again, from the same first entry where
    // the list still reaches it.
    void setCount(std::size_t count);
    std::size_t count() const { return count_; }
    // The rows that exist, top to bottom; the first shows the entry at `firstShown()`.
    const std::vector<RemovableRow*>& rows() const { return rows_; }
    QVBoxLayout* rowLayout() const { return column_; }
    std::size_t firstShown() const;
    // Shown only while the list holds more entries than rows.
    QScrollBar* scrollBar() const { return scrollBar_; }

protected:
    // The wheel scrolls the list while it has more entries than rows, else the page around it.
    void wheelEvent(QWheelEvent* event) override;

private:
    void showEntries();

    QFont detailFont_;
    QIcon leadingIcon_;
    QVBoxLayout* column_;
    QScrollBar* scrollBar_;
    std::vector<RemovableRow*> rows_;
    std::size_t count_ = 0;
};

} // namespace ondravell
