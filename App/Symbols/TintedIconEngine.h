#pragma once

#include <QColor>
#include <QIcon>
#include <QIconEngine>

namespace ondravell {

// Draws another icon in one colour, keeping only its shape: how symbolic pictures take the colour of
// the text around them. The icon keeps a theme name of its own, which hosts that load icons by name
// (status-notifier trays) use instead of the pixels.
class TintedIconEngine final : public QIconEngine {
public:
    // A valid `halo` outlines the shape in that colour, so that it shows on light and dark grounds alike.
    TintedIconEngine(QIcon source, QColor tint, QString name, QColor halo = QColor());

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    QString iconName() override;
    bool isNull() override;

    // The shape of `source` filled with `tint`; disabled pictures are drawn faint.
    static QPixmap tinted(const QPixmap& source, const QColor& tint, QIcon::Mode mode);

private:
    QIcon source_;
    QColor tint_;
    QString name_;
    QColor halo_;
};

} // namespace ondravell
