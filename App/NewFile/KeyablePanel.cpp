#include "App/NewFile/KeyablePanel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace ondravell {

KeyablePanel::KeyablePanel(QWidget* content)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_TranslucentBackground);
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

} // namespace ondravell
