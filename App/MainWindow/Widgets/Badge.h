#pragma once

#include <QColor>
#include <QLabel>

namespace ondravell {

// A small capsule of coloured text on a faint fill of the same colour ("危险", a group's name, ...).
class Badge final : public QLabel {
public:
    Badge(const QString& text, const QColor& color, double fillOpacity, QWidget* parent = nullptr);

    const QColor& color() const { return color_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    double fillOpacity_;
};

} // namespace ondravell
