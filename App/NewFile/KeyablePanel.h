#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

namespace ondravell {

// A frameless floating window that takes the keyboard, so its text fields accept typing, and can be
// dragged by its background. It tells its owner when it loses the keyboard focus. `translucent`: a
// compositor runs, so the rounded corners of the content may be see-through; without one the window is
// cut to the rounded outline instead of showing black corners.
class KeyablePanel : public QWidget {
public:
    KeyablePanel(QWidget* content, bool translucent, double cornerRadius);

    // Called when another window takes the keyboard focus.
    void setOnResignKey(std::function<void()> onResignKey) { onResignKey_ = std::move(onResignKey); }
    // Shows the panel in front of every other window with the keyboard focus.
    void orderFrontAsKey();

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool translucent_;
    double cornerRadius_;
    std::function<void()> onResignKey_;
    QPoint dragOffset_;
};

} // namespace ondravell
