#pragma once

#include "App/MainWindow/Models/GeneralModel.h"
#include "App/MainWindow/Widgets/SettingsPage.h"

class QCheckBox;
class QPushButton;

namespace ondravell {

class SettingsSection;

namespace platform {
class SystemSettingsOpener;
}

// "通用": launch at login, the tray icon, the file-manager extension's state, file access, the cloud
// sync switch and the help texts. It edits nothing in the shared settings record.
class GeneralPage final : public SettingsPage {
public:
    GeneralPage(GeneralModel::Services services, platform::SystemSettingsOpener* opener,
                QWidget* parent = nullptr);

    GeneralModel& model() { return model_; }
    QCheckBox* launchAtLoginSwitch() const { return launchAtLogin_; }
    QCheckBox* hideIconSwitch() const { return hideIcon_; }

protected:
    void reload() override;

private:
    void refresh();
    void refreshExtension();
    void refreshCloud();

    GeneralModel model_;
    platform::SystemSettingsOpener* opener_;
    QCheckBox* launchAtLogin_;
    QCheckBox* hideIcon_;
    SettingsSection* extension_;
    QWidget* extensionRow_ = nullptr;
    SettingsSection* cloud_;
    QWidget* cloudRow_ = nullptr;
};

} // namespace ondravell
