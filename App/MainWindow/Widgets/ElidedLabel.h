#pragma once

#include <QFrame>
#include <QString>

namespace ondravell {

// One line of text that ends in "…" when it does not fit; the whole text is then its tooltip.
class ElidedLabel final : public QFrame {
public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }
    Qt::TextElideMode elideMode() const { return mode_; }
    void setElideMode(Qt::TextElideMode mode);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();

    QString text_;
    Qt::TextElideMode mode_ = Qt::ElideMiddle;
};

} // namespace ondravell
