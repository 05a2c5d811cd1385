#pragma once

#include <QFont>
#include <QString>
#include <functional>

class QIcon;
class QLayout;
class QToolButton;
class QWidget;

namespace ondravell {

// The red trash button at the end of a list row ("删除").
QToolButton* makeDeleteButton();
// The same with its trash icon made once by the caller, for lists of many rows.
QToolButton* makeDeleteButton(const QIcon& icon);

// A row of a list the user edits: its title, a secondary text in `detailFont` shortened in the middle
// (left out when empty; its whole text is the tooltip), a flexible space and the delete button.
QWidget* makeRemovableRow(const QString& title, const QString& detail, const QFont& detailFont,
                          std::function<void()> onDelete);

// Takes every row out of `rows`. The rows are deleted once control returns to the event loop, since
// a row's own delete button may be what asked for the new list.
void removeRowsLater(QLayout* rows);

} // namespace ondravell
