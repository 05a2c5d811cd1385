#pragma once

#include "App/MainWindow/Models/GeneralModel.h"
#include "App/MainWindow/Widgets/SettingsPage.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace ondravell {

class ICloudSyncRow;
class SettingsSection;
class UpdateChecker;

namespace platform {
class SystemSettingsOpener;
}

// "通用": launch at login, the tray icon, the file-manager extension's state, file access, the cloud
// sync switch, the update check, configuration export and import, and the help texts. It edits nothing
// in the shared settings record.
class GeneralSettingsView final : public SettingsPage {
public:
    GeneralSettingsView(GeneralModel::Services services, platform::SystemSettingsOpener* opener,
                        UpdateChecker& updateChecker, QWidget* parent = nullptr);

    GeneralModel& model() { return model_; }
    QCheckBox* launchAtLoginSwitch() const { return launchAtLogin_; }
    QCheckBox* hideIconSwitch() const { return hideIcon_; }
    QCheckBox* cloudSyncSwitch() const;
    QLabel* lastSyncLine() const;
    QPushButton* exportButton() const { return export_; }
    QPushButton* importButton() const { return import_; }

protected:
    void reload() override;

private:
    void refresh();
    void refreshExtension();
    QWidget* backupRow();

    GeneralModel model_;
    platform::SystemSettingsOpener* opener_;
    QCheckBox* launchAtLogin_;
    QCheckBox* hideIcon_;
    SettingsSection* extension_;
    QWidget* extensionRow_ = nullptr;
    ICloudSyncRow* cloud_;
    QPushButton* export_;
    QPushButton* import_;
};

} // namespace ondravell
