#pragma once

#include <QLabel>

namespace ondravell {

// A one-line label that shortens its text with "…" (at the end, or where `mode` says) when it is wider
// than the room it gets, instead of widening the layout around it.
class ElidedLabel final : public QLabel {
public:
    explicit ElidedLabel(const QString& text = {}, Qt::TextElideMode mode = Qt::ElideRight,
                         QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode mode_;
};

} // namespace ondravell
