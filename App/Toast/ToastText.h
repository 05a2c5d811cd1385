#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace ondravell {

// A toast's message laid out for the panel: wrapped at `maxWidth`, at most `maxLines` lines, the last
// one elided when the message goes on. Line breaks in the message are kept.
struct ToastText {
    QString text; // the lines, joined by line feeds
    QSize size;   // the block the lines take

    static ToastText fitted(const QString& message, const QFont& font, int maxWidth, int maxLines);
};

} // namespace ondravell
