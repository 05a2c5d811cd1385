#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ondravell {

class UpdateChecker;

// The settings row of the update check: the installed version, the outcome of the last check, "前往下载"
// when a newer version exists, and "检查更新". It follows the checker's state for as long as it lives.
class SoftwareUpdateRow final : public QWidget {
public:
    explicit SoftwareUpdateRow(UpdateChecker& checker, QWidget* parent = nullptr);
    ~SoftwareUpdateRow() override;

private:
    void refresh();

    UpdateChecker& checker_;
    int observer_ = 0;
    QLabel* version_;
    QLabel* status_;
    QPushButton* download_;
    QPushButton* check_;
    QProgressBar* busy_;
};

} // namespace ondravell
