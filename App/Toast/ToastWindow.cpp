#include "App/Toast/ToastWindow.h"

#include "App/Toast/ProgressContentView.h"
#include "App/Toast/ToastContentView.h"
#include "App/Toast/ToastFade.h"
#include "App/Toast/ToastMetrics.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

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
      fadeTimer_(new QTimer(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    setFocusPolicy(Qt::NoFocus);
    // One view at a time; the hidden one takes no room, so the window takes the shown one's size.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(shadowMargin(), shadowMargin(), shadowMargin(), shadowMargin());
    layout->addWidget(toastView_);
    layout->addWidget(progressView_);
    progressView_->hide();
    // The progress display first appears in the middle of an operation: find its fonts and draw its bar
    // once now, when the panel is made, rather than in the first step.
    progressView_->setContent(QString(), 0, QStringLiteral("0/0"));
    progressView_->adjustSize();
    progressView_->grab();
    fadeTimer_->setTimerType(Qt::PreciseTimer);
    fadeTimer_->setInterval(ToastFade::frameInterval);
    connect(fadeTimer_, &QTimer::timeout, this, [this] { nextFadeStep(); });
}

void ToastWindow::setContent(const ToastContent& content) {
    const bool isToast = content.kind == ToastContent::Kind::toast;
    // A further step of the progress display on screen stays on the screen it appeared on: finding the
    // pointer costs a round trip to the display server at every step, and the display would jump
    // between screens mid-operation as the pointer moves.
    const bool nextStep = !isToast && isVisible() && progressView_->isVisible();
    QSize message;
    if (isToast)
        message = toastView_->setContent(QString::fromStdString(content.message),
                                         QString::fromStdString(content.symbol));
    else
        progressView_->setContent(QString::fromStdString(content.title), content.fraction,
                                  QString::fromStdString(content.detail));
    toastView_->setVisible(isToast);
    progressView_->setVisible(!isToast);
    // Sized and placed from this content alone, never from what the panel showed before; only a further
    // progress step keeps the screen. Without a screen the panel keeps its place.
    const std::optional<ToastRect> screenArea = availableArea(nextStep ? screen() : pointerScreen());
    const ToastRect area = screenArea.value_or(ToastRect{});
    const ToastRect frame =
        isToast ? ToastLayout::toastFrame(message.width(), message.height(), ToastMetrics::symbolBox, area)
                : ToastLayout::progressFrame(progressView_->sizeHint().height(), area);
    const int margin = shadowMargin();
    setFixedSize(frame.width + 2 * margin, frame.height + 2 * margin);
    if (screenArea)
        move(frame.x - margin, frame.y - margin);
    // Named last, so that whoever finds the window by its text finds it in its final size and place.
    const QString title = isToast ? QString::fromStdString(content.message)
                                  : QString::fromStdString(content.title + " " + content.detail);
    setWindowTitle(title.left(maxTitleLength));
}

QScreen* ToastWindow::pointerScreen() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}

std::optional<ToastRect> ToastWindow::availableArea(const QScreen* screen) {
    if (!screen)
        return std::nullopt;
    const QRect area = screen->availableGeometry();
    return ToastRect{area.x(), area.y(), area.width(), area.height()};
}

void ToastWindow::showOpaque() {
    stopFade();
    setWindowOpacity(1.0);
    show();
    raise();
}

void ToastWindow::fadeIn(std::chrono::milliseconds duration) {
    stopFade();
    setWindowOpacity(0.0);
    show();
    raise();
    animateOpacity(1.0, duration);
}

void ToastWindow::fadeOut(std::chrono::milliseconds duration) {
    animateOpacity(0.0, duration);
}

void ToastWindow::orderOut() {
    stopFade();
    hide();
}

void ToastWindow::animateOpacity(double to, std::chrono::milliseconds duration) {
    fadeSteps_ = ToastFade::steps(windowOpacity(), to, duration);
    std::reverse(fadeSteps_.begin(), fadeSteps_.end());
    fadeTimer_->start();
}

void ToastWindow::stopFade() {
    fadeTimer_->stop();
    fadeSteps_.clear();
}

void ToastWindow::nextFadeStep() {
    if (fadeSteps_.empty()) {
        fadeTimer_->stop();
        return;
    }
    setWindowOpacity(fadeSteps_.back());
    // Nothing else goes to the display server between two steps, so the change would wait in the
    // connection's buffer and only the fade's end value would reach the compositor.
    QGuiApplication::sync();
    fadeSteps_.pop_back();
}

int ToastWindow::shadowMargin() const {
    return translucent_ ? ToastMetrics::shadowRadius + ToastMetrics::shadowOffset : 0;
}

void ToastWindow::paintShadow(QPainter& painter, const QRectF& panel) {
    // Rings of faint black around the panel, denser near its edge: a soft shadow, a little lower than
    // the panel, without blurring an image at every size.
    const QRectF shadow = panel.translated(0, ToastMetrics::shadowOffset);
    for (int ring = ToastMetrics::shadowRadius; ring >= 1; --ring) {
        const double closeness = 1.0 - double(ring) / ToastMetrics::shadowRadius;
        QPainterPath path;
        path.addRoundedRect(shadow.adjusted(-ring, -ring, ring, ring), ToastMetrics::cornerRadius + ring,
                            ToastMetrics::cornerRadius + ring);
        painter.fillPath(path,
                         QColor::fromRgbF(0, 0, 0, ToastMetrics::shadowOpacity * closeness * closeness));
    }
}

void ToastWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF panel =
        QRectF(rect()).adjusted(shadowMargin(), shadowMargin(), -shadowMargin(), -shadowMargin());
    if (translucent_)
        paintShadow(painter, panel);
    const QRectF bounds = panel.adjusted(ToastMetrics::borderWidth / 2, ToastMetrics::borderWidth / 2,
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
