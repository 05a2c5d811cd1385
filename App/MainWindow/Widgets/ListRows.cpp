#include "App/MainWindow/Widgets/ListRows.h"

#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "App/Widgets/ElidedLabel.h"
#include "App/Widgets/PlainToolTip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace ondravell {

QToolButton* makeDeleteButton() {
    return makeDeleteButton(symbolIcon("trash", QColor(Qt::red)));
}

QToolButton* makeDeleteButton(const QIcon& icon) {
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setIcon(icon);
    button->setAccessibleName(QStringLiteral("删除"));
    button->setToolTip(QStringLiteral("删除"));
    return button;
}

QWidget* makeRemovableRow(const QString& title, const QString& detail, const QFont& detailFont,
                          std::function<void()> onDelete) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 2, 0, 2);
    // Names of templates, engines and applications are shown as they are, never as markup.
    auto* name = new QLabel(title);
    name->setTextFormat(Qt::PlainText);
    layout->addWidget(name);
    if (detail.isEmpty()) {
        layout->addStretch(1);
    } else {
        auto* text = new ElidedLabel(detail, Qt::ElideMiddle);
        text->setToolTip(plainToolTip(detail));
        text->setFont(detailFont);
        text->setForegroundRole(QPalette::PlaceholderText);
        layout->addWidget(text, 1);
    }
    QToolButton* remove = makeDeleteButton();
    QObject::connect(remove, &QToolButton::clicked, row, std::move(onDelete));
    layout->addWidget(remove);
    return row;
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
