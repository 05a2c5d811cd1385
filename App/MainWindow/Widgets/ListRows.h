#pragma once

#include <QFont>
#include <QIcon>
#include <QString>
#include <QWidget>

class QLabel;
class QToolButton;

namespace ondravell {

class ElidedLabel;

// The red trash button at the end of a list row ("删除").
QToolButton* makeDeleteButton();
// The same with its trash icon made once by the caller, for lists of many rows.
QToolButton* makeDeleteButton(const QIcon& icon);

// A row of a list the user edits: an optional leading icon, its title, a secondary text in `detailFont`
// shortened in the middle (its whole text is the tooltip), a flexible space and the delete button.
class RemovableRow final : public QWidget {
public:
    explicit RemovableRow(const QFont& detailFont, const QIcon& leadingIcon = {}, QWidget* parent = nullptr);

    // Shows another entry in the same row.
    void setTexts(const QString& title, const QString& detail);
    QToolButton* removeButton() const { return remove_; }

private:
    QLabel* title_;
    ElidedLabel* detail_;
    QToolButton* remove_;
};

} // namespace ondravell
