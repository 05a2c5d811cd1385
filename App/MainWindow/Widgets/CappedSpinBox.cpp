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
    if (number.isEmpty())
        return {};
    // Digits of any script ("５０" from an input method in full-width mode, Arabic-Indic digits) count
    // by their values, written here as ASCII digits for the conversion.
    QString ascii;
    ascii.reserve(number.size());
    for (QChar c : number) {
        // Only decimal digits: a superscript two has a digit value too.
        if (!c.isDigit())
            return {};
        const int value = c.digitValue();
        if (value < 0 || value > 9)
            return {};
        ascii.append(QChar(u'0' + value));
    }
    return ascii;
}

} // namespace ondravell
