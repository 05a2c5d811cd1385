#pragma once

#include <QWidget>

class QLabel;

namespace ondravell {

// A symbol and one message beside it, at most 360 pixels wide; a long message wraps and the view grows
// in height.
class ToastContentView final : public QWidget {
public:
    explicit ToastContentView(QWidget* parent = nullptr);
    void setContent(const QString& message, const QString& symbol);

private:
    QLabel* symbol_;
    QLabel* message_;
};

} // namespace ondravell
