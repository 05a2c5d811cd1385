#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

namespace ondravell {

class GeneralModel;

// The general page's cloud sync row: the switch, the last sync (or the failure) and a note, or only a
// line saying the cloud-drive folder is missing. `refresh()` shows the model's state again.
class ICloudSyncRow final : public QWidget {
public:
    explicit ICloudSyncRow(GeneralModel& model);

    void refresh();

    QCheckBox* cloudSyncSwitch() const { return cloudSync_; }
    QLabel* lastSyncLine() const { return lastSync_; }

private:
    QWidget* cloudUnavailable_;
    QCheckBox* cloudSync_;
    QLabel* lastSync_;
    QLabel* cloudNote_;
    GeneralModel& model_;
};

} // namespace ondravell
