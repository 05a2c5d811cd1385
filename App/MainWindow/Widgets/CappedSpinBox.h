#pragma once

#include <QSpinBox>

namespace ondravell {

// A stepper whose field takes a number beyond its range and, once the entry is done, caps it to the
// nearest end, as its arrows stop there. A plain spin box refuses the digit that would pass the
// maximum: 999 typed into a field that ends at 500 became 99.
class CappedSpinBox final : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& text) const override;

private:
    // The typed digits as ASCII digits, without prefix, suffix, group separators and surrounding spaces;
    // empty when the text is not a whole number.
    QString digits(const QString& text) const;
};

} // namespace ondravell
