#include "App/Toast/ToastContentView.h"

#include "App/Symbols/SymbolImage.h"
#include "App/Toast/ToastMetrics.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>

namespace ondravell {

namespace {
constexpr int symbolSize = 20; // a 15-point symbol's box
} // namespace

ToastContentView::ToastContentView(QWidget* parent)
    : QWidget(parent), symbol_(new QLabel(this)), message_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(ToastMetrics::horizontalPadding, ToastMetrics::verticalPadding,
                               ToastMetrics::horizontalPadding, ToastMetrics::verticalPadding);
    layout->setSpacing(ToastMetrics::toastSpacing);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    symbol_->setFixedSize(symbolSize, symbolSize);
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    QFont font = message_->font();
    font.setWeight(QFont::Medium);
    message_->setFont(font);
    layout->addWidget(symbol_, 0, Qt::AlignVCenter);
    layout->addWidget(message_, 0, Qt::AlignVCenter);
}

void ToastContentView::setContent(const QString& message, const QString& symbol) {
    symbol_->setPixmap(
        SymbolImage::pixmap(symbol, symbolSize, palette().color(QPalette::Highlight), devicePixelRatioF()));
    message_->setText(message);
    // Short texts keep their natural width; long ones wrap at the widest the panel may be.
    const int widest = ToastMetrics::toastMaxWidth - 2 * ToastMetrics::horizontalPadding -
                       ToastMetrics::toastSpacing - symbolSize;
    // The style may still change the label's font when it is polished; measure with the final one.
    message_->ensurePolished();
    const int natural =
        message_->fontMetrics()
            .boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), Qt::TextSingleLine, message)
            .width() +
        1;
    const int width = std::min(natural, widest);
    message_->setFixedWidth(width);
    message_->setFixedHeight(message_->heightForWidth(width));
}

} // namespace ondravell
