#include "App/MainWindow/Widgets/SymbolLabel.h"

#include "App/MainWindow/Widgets/SymbolIcons.h"

#include <QHBoxLayout>
#include <QLabel>

namespace ondravell {

namespace {
constexpr int iconSize = 16;
} // namespace

QWidget* makeSymbolLabel(std::string_view symbol, const QString& text, const QColor& tint) {
    auto* words = new QLabel(text);
    words->setTextFormat(Qt::PlainText);
    words->setWordWrap(true);
    return makeSymbolLabel(symbol, words, tint);
}

QWidget* makeSymbolLabel(std::string_view symbol, QLabel* words, const QColor& tint) {
    auto* label = new QWidget;
    auto* layout = new QHBoxLayout(label);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    QColor colour = tint.isValid() ? tint : label->palette().color(QPalette::WindowText);
    auto* icon = new QLabel;
    icon->setPixmap(symbolIcon(symbol, colour).pixmap(iconSize, iconSize));
    layout->addWidget(icon, 0, Qt::AlignTop);
    if (tint.isValid()) {
        QPalette palette = words->palette();
        palette.setColor(QPalette::WindowText, tint);
        words->setPalette(palette);
    }
    layout->addWidget(words, 1);
    return label;
}

} // namespace ondravell
