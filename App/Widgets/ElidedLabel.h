#pragma once

#include <QLabel>

namespace ondravell {

// A one-line label that ends its text with "…" when it is wider than the room it gets, instead of
// widening the layout around it.
class ElidedLabel final : public QLabel {
public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ondravell
