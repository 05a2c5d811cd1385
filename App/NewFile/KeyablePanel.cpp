#include "App/NewFile/KeyablePanel.h"

#include "App/Widgets/PanelMaterial.h"

#include <QEvent>
#include <QMouseEvent>
#include <QRegion>
#include <QVBoxLayout>

namespace ondravell {

KeyablePanel::KeyablePanel(QWidget* content, bool translucent, double cornerRadius)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      translucent_(translucent),
      cornerRadius_(cornerRadius) {
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

void KeyablePanel::orderFrontAsKey() {
    show();
    raise();
    activateWindow();
}

void KeyablePanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow() && onResignKey_)
        onResignKey_();
}

void KeyablePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void KeyablePanel::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - dragOffset_);
    QWidget::mouseMoveEvent(event);
}

void KeyablePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!translucent_)
        setMask(QRegion(PanelMaterial::outline(QRectF(rect()), cornerRadius_).toFillPolygon().toPolygon()));
}

} // namespace ondravell
