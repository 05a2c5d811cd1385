#include "App/Toast/ToastWindow.h"

#include "App/Toast/ProgressContentView.h"
#include "App/Toast/ToastContentView.h"
#include "App/Toast/ToastMetrics.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScreen>
#include <QVBoxLayout>

namespace ondravell {

namespace {

// Enough of a long message for assistive tools; the panel shows less.
constexpr qsizetype maxTitleLength = 512;

QPainterPath roundedOutline(const QRectF& rect) {
    QPainterPath path;
    path.addRoundedRect(rect, ToastMetrics::cornerRadius, ToastMetrics::cornerRadius);
    return path;
}

} // namespace

ToastWindow::ToastWindow(bool translucent)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput |
                           Qt::NoDropShadowWindowHint),
      translucent_(translucent),
      toastView_(new ToastContentView),
      progressView_(new ProgressContentView),
      fade_(new QPropertyAnimation(this, "windowOpacity", this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    setFocusPolicy(Qt::NoFocus);
    // One view at a time; the hidden one takes no room, so the window takes the shown one's size.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toastView_);
    layout->addWidget(progressView_);
    progressView_->hide();
}

void ToastWindow::setContent(const ToastContent& content) {
    const bool isToast = content.kind == ToastContent::Kind::toast;
    QSize message;
    if (isToast)
        message = toastView_->setContent(QString::fromStdString(content.message),
                                         QString::fromStdString(content.symbol));
    else
        progressView_->setContent(QString::fromStdString(content.title), content.fraction,
                                  QString::fromStdString(content.detail));
    toastView_->setVisible(isToast);
    progressView_->setVisible(!isToast);
    // Sized and placed from this content alone, never from what the panel showed before. Without a
    // screen the panel keeps its place.
    const std::optional<ToastRect> screenArea = pointerScreenArea();
    const ToastRect area = screenArea.value_or(ToastRect{});
    const ToastRect frame =
        isToast ? ToastLayout::toastFrame(message.width(), message.height(), ToastMetrics::symbolBox, area)
                : ToastLayout::progressFrame(progressView_->sizeHint().height(), area);
    setFixedSize(frame.width, frame.height);
    if (screenArea)
        move(frame.x, frame.y);
    // Named last, so that whoever finds the window by its text finds it in its final size and place.
    const QString title = isToast ? QString::fromStdString(content.message)
                                  : QString::fromStdString(content.title + " " + content.detail);
    setWindowTitle(title.left(maxTitleLength));
}

std::optional<ToastRect> ToastWindow::pointerScreenArea() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    const QRect area = screen->availableGeometry();
    return ToastRect{area.x(), area.y(), area.width(), area.height()};
}

void ToastWindow::showOpaque() {
    fade_->stop();
    setWindowOpacity(1.0);
    show();
    raise();
}

void ToastWindow::fadeIn(std::chrono::milliseconds duration) {
    fade_->stop();
    setWindowOpacity(0.0);
    show();
    raise();
    animateOpacity(1.0, duration);
}

void ToastWindow::fadeOut(std::chrono::milliseconds duration) {
    animateOpacity(0.0, duration);
}

void ToastWindow::orderOut() {
    fade_->stop();
    hide();
}

void ToastWindow::animateOpacity(double to, std::chrono::milliseconds duration) {
    fade_->stop();
    fade_->setDuration(static_cast<int>(duration.count()));
    fade_->setStartValue(windowOpacity());
    fade_->setEndValue(to);
    fade_->start();
}

void ToastWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds =
        QRectF(rect()).adjusted(ToastMetrics::borderWidth / 2, ToastMetrics::borderWidth / 2,
                                -ToastMetrics::borderWidth / 2, -ToastMetrics::borderWidth / 2);
    QColor fill = palette().color(QPalette::Window);
    if (translucent_)
        fill.setAlphaF(0.9);
    painter.fillPath(roundedOutline(bounds), fill);
    painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, ToastMetrics::borderOpacity), ToastMetrics::borderWidth));
    painter.drawPath(roundedOutline(bounds));
}

void ToastWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Without a compositor the corners cannot be see-through: cut them off instead.
    if (!translucent_)
        setMask(QRegion(roundedOutline(QRectF(rect())).toFillPolygon().toPolygon()));
}

} // namespace ondravell
