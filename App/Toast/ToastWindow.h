#pragma once

#include "App/Toast/ToastLayout.h"
#include "App/Toast/ToastSurface.h"

#include <QWidget>
#include <optional>
#include <vector>

class QPainter;
class QScreen;
class QTimer;

namespace ondravell {

class ToastContentView;
class ProgressContentView;

// The frameless panel that shows toasts and progress. It never takes focus, never activates the
// application and lets clicks through to the windows below. It appears near the top centre of the
// screen under the pointer; a progress display keeps to its screen while its steps come in. Its
// window title is the text it shows, for assistive tools.
class ToastWindow final : public QWidget, public ToastSurface {
public:
    // `translucent`: a compositor runs, so the corners may be see-through and opacity animates.
    explicit ToastWindow(bool translucent);

    void setContent(const ToastContent& content) override;
    void showOpaque() override;
    void fadeIn(std::chrono::milliseconds duration) override;
    void fadeOut(std::chrono::milliseconds duration) override;
    void orderOut() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The screen under the pointer, or the primary screen.
    static QScreen* pointerScreen();
    static std::optional<ToastRect> availableArea(const QScreen* screen);
    void animateOpacity(double to, std::chrono::milliseconds duration);
    void stopFade();
    void nextFadeStep();
    // Room around the panel for its shadow; none without a compositor.
    int shadowMargin() const;
    void paintShadow(QPainter& painter, const QRectF& panel);

    bool translucent_;
    ToastContentView* toastView_;
    ProgressContentView* progressView_;
    QTimer* fadeTimer_;
    std::vector<double> fadeSteps_; // still to come, the last one first
};

} // namespace ondravell
