#include "App/MainWindow/Widgets/ListRows.h"

#include "App/MainWindow/Widgets/SymbolIcons.h"

#include <QLayout>
#include <QToolButton>

namespace ondravell {

QToolButton* makeDeleteButton() {
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setIcon(symbolIcon("trash", QColor(Qt::red)));
    button->setAccessibleName(QStringLiteral("删除"));
    button->setToolTip(QStringLiteral("删除"));
    return button;
}

void removeRowsLater(QLayout* rows) {
    while (QLayoutItem* item = rows->takeAt(0)) {
        if (QWidget* row = item->widget()) {
            row->hide();
            row->deleteLater();
        }
        delete item;
    }
}

} // namespace ondravell
