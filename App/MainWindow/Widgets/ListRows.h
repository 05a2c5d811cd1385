#pragma once

class QLayout;
class QToolButton;

namespace ondravell {

// The red trash button at the end of a list row ("删除").
QToolButton* makeDeleteButton();

// Takes every row out of `rows`. The rows are deleted once control returns to the event loop, since
// a row's own delete button may be what asked for the new list.
void removeRowsLater(QLayout* rows);

} // namespace ondravell
