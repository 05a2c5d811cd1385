#pragma once

#include <QWidget>

class QPushButton;
class QVBoxLayout;

namespace ondravell {

class HistoryActions;

// The settings window's history page: the recorded file operations, newest first, each with an undo
// button while it can be undone; a refresh and a clear button. Reads the history each time it is shown.
class HistoryView final : public QWidget {
public:
    explicit HistoryView(const HistoryActions& actions, QWidget* parent = nullptr);

    // Reads the history again and rebuilds the list.
    void reload();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const HistoryActions& actions_;
    QPushButton* clear_;
    QVBoxLayout* list_;
    QWidget* rows_ = nullptr;
};

} // namespace ondravell
