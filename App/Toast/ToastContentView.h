#pragma once

#include <QWidget>

class QLabel;

namespace ondravell {

// A symbol and the message beside it. The message wraps at the toast's widest and shows at most three
// lines, the last one elided.
class ToastContentView final : public QWidget {
public:
    explicit ToastContentView(QWidget* parent = nullptr);
    // Returns the size of the message block as laid out, which sizes the panel.
    QSize setContent(const QString& message, const QString& symbol);

private:
    QLabel* symbol_;
    QLabel* message_;
};

} // namespace ondravell
