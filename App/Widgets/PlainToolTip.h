#pragma once

#include <QString>
#include <QTextDocument>

namespace ondravell {

// Qt takes a tooltip that starts like markup for rich text. A tooltip that shows a name or a path is
// handed over escaped, so it always reads as written.
inline QString plainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

} // namespace ondravell
