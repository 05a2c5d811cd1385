#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace ondravell {

// A title with "completed/total" beside it and a bar below, exactly 300 pixels wide.
class ProgressContentView final : public QWidget {
public:
    explicit ProgressContentView(QWidget* parent = nullptr);
    void setContent(const QString& title, double fraction, const QString& detail);

private:
    QLabel* title_;
    QLabel* detail_;
    QProgressBar* bar_;
};

} // namespace ondravell
