#include "App/MainWindow/Widgets/ListRows.h"

#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "App/Widgets/ElidedLabel.h"
#include "App/Widgets/PlainToolTip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace ondravell {

namespace {
constexpr int leadingIconSize = 16;
} // namespace

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

RemovableRow::RemovableRow(const QFont& detailFont, const QIcon& leadingIcon, QWidget* parent)
    : QWidget(parent),
      title_(new QLabel),
      detail_(new ElidedLabel({}, Qt::ElideMiddle)),
      remove_(makeDeleteButton()) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    if (!leadingIcon.isNull()) {
        auto* icon = new QLabel;
        icon->setPixmap(leadingIcon.pixmap(leadingIconSize, leadingIconSize));
        layout->addWidget(icon);
    }
    // Names of templates, folders, engines and applications are shown as they are, never as markup.
    title_->setTextFormat(Qt::PlainText);
    layout->addWidget(title_);
    detail_->setFont(detailFont);
    detail_->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(detail_, 1);
    layout->addWidget(remove_);
}

void RemovableRow::setTexts(const QString& title, const QString& detail) {
    title_->setText(title);
    detail_->setText(detail);
    detail_->setToolTip(detail.isEmpty() ? QString() : plainToolTip(detail));
}

} // namespace ondravell
