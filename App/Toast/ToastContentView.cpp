#include "App/Toast/ToastContentView.h"

#include "App/Symbols/SymbolImage.h"
#include "App/Toast/ToastLayout.h"
#include "App/Toast/ToastMetrics.h"
#include "App/Toast/ToastText.h"

#include <QHBoxLayout>
#include <QLabel>

namespace ondravell {

ToastContentView::ToastContentView(QWidget* parent)
    : QWidget(parent), symbol_(new QLabel(this)), message_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(ToastMetrics::horizontalPadding, ToastMetrics::verticalPadding,
                               ToastMetrics::horizontalPadding, ToastMetrics::verticalPadding);
    layout->setSpacing(ToastMetrics::toastSpacing);
    symbol_->setFixedSize(ToastMetrics::symbolBox, ToastMetrics::symbolBox);
    message_->setTextFormat(Qt::PlainText);
    QFont font = message_->font();
    font.setWeight(QFont::Medium);
    message_->setFont(font);
    layout->addWidget(symbol_, 0, Qt::AlignVCenter);
    layout->addWidget(message_, 0, Qt::AlignVCenter);
    layout->addStretch();
}

QSize ToastContentView::setContent(const QString& message, const QString& symbol) {
    symbol_->setPixmap(SymbolImage::pixmap(symbol, ToastMetrics::symbolBox,
                                           palette().color(QPalette::Highlight), devicePixelRatioF()));
    // The style may still change the label's font when it is polished; measure with the final one.
    message_->ensurePolished();
    ToastText fitted =
        ToastText::fitted(message, message_->font(), ToastLayout::messageWidthLimit(ToastMetrics::symbolBox),
                          ToastLayout::maxMessageLines);
    message_->setText(fitted.text);
    message_->setFixedSize(fitted.size);
    return fitted.size;
}

} // namespace ondravell
