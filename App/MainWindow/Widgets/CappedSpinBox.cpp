#include "App/MainWindow/Widgets/CappedSpinBox.h"

#include <algorithm>

namespace ondravell {

QValidator::State CappedSpinBox::validate(QString& text, int& position) const {
    QValidator::State state = QSpinBox::validate(text, position);
    if (state == QValidator::Invalid && !digits(text).isEmpty())
        return QValidator::Intermediate;
    return state;
}

void CappedSpinBox::fixup(QString& text) const {
    const QString number = digits(text);
    if (number.isEmpty()) {
        QSpinBox::fixup(text);
        return;
    }
    bool fits = false;
    const qlonglong typed = number.toLongLong(&fits);
    // Only a run of digits too long for any integer fails to convert: far above the maximum.
    const int capped = fits ? int(std::clamp<qlonglong>(typed, minimum(), maximum())) : maximum();
    text = prefix() + textFromValue(capped) + suffix();
}

QString CappedSpinBox::digits(const QString& text) const {
    QString number = text;
    if (!prefix().isEmpty() && number.startsWith(prefix()))
        number.remove(0, prefix().size());
    if (!suffix().isEmpty() && number.endsWith(suffix()))
        number.chop(suffix().size());
    number.remove(locale().groupSeparator());
    number = number.trimmed();
    const bool whole = !number.isEmpty() && std::ranges::all_of(number, [](QChar c) { return c.isDigit(); });
    return whole ? number : QString();
}

} // namespace ondravell
