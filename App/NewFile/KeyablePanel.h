#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

namespace ondravell {

// A frameless floating window that takes the keyboard, so its text fields accept typing, and can be
// dragged by its background. It tells its owner when it loses the keyboard focus.
class KeyablePanel : public QWidget {
public:
    explicit KeyablePanel(QWidget* content);

    // Called when another window takes the keyboard focus.
    void setOnResignKey(std::function<void()> onResignKey) { onResignKey_ = std::move(onResignKey); }
    // Shows the panel in front of every other window with the keyboard focus.
    void orderFrontAsKey();

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::function<void()> onResignKey_;
    QPoint dragOffset_;
};

} // namespace ondravell
