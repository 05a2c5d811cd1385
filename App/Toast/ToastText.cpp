#include "App/Toast/ToastText.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>

namespace ondravell {

namespace {

// More than any panel can show: laying out a message of 100,000 characters to show three lines of
// it would cost time for nothing.
constexpr qsizetype longestLaidOut = 4096;

QString head(const QString& message) {
    if (message.size() <= longestLaidOut)
        return message;
    qsizetype end = longestLaidOut;
    if (message.at(end - 1).isHighSurrogate())
        --end; // never split a character in two
    return message.left(end);
}

} // namespace

ToastText ToastText::fitted(const QString& message, const QFont& font, int maxWidth, int maxLines) {
    QString source = head(message);
    source.replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QFontMetrics metrics(font);
    QTextLayout layout(source, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);

    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(maxWidth);
        if (lines.size() == maxLines - 1) {
            // The last line that fits takes the rest of its paragraph, elided at the panel's width; a
            // mark at its end says that more of the message goes unshown.
            QString rest = source.mid(line.textStart());
            const qsizetype paragraphEnd = rest.indexOf(QChar::LineSeparator);
            const bool more = paragraphEnd >= 0 || source.size() < message.size();
            if (paragraphEnd >= 0)
                rest.truncate(paragraphEnd);
            if (more)
                rest += QChar(0x2026);
            lines << metrics.elidedText(rest, Qt::ElideRight, maxWidth);
            break;
        }
        QString text = source.mid(line.textStart(), line.textLength());
        while (!text.isEmpty() && (text.back() == QChar::LineSeparator || text.back().isSpace()))
            text.chop(1);
        lines << text;
    }
    layout.endLayout();

    ToastText result;
    result.text = lines.join(QLatin1Char('\n'));
    // Measured as a label measures plain text, with the line height of whichever fonts draw it.
    const QRect block = metrics.boundingRect(QRect(0, 0, maxWidth, 1 << 20), Qt::AlignLeft, result.text);
    result.size = QSize(std::min(block.width(), maxWidth), block.height());
    return result;
}

} // namespace ondravell
