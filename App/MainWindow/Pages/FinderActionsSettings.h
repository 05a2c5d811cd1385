#pragma once

#include "App/MainWindow/Models/FinderActionsModel.h"
#include "App/MainWindow/Widgets/SettingsPage.h"

#include <map>
#include <string>

class QComboBox;
class QSpinBox;

namespace ondravell {

class FinderActionRow;
class ReorderableRowList;
class SegmentedControl;

// The page "文件管理器右键": menu style, the ordered list of actions, the open-with choices and the copy
// size limit. Its state lives in `FinderActionsModel`; the page draws it and reports the user's edits.
class FinderActionsSettings final : public SettingsPage {
public:
    explicit FinderActionsSettings(FinderActionsModel::Services services, QWidget* parent = nullptr);

    FinderActionsModel& model() { return model_; }
    SegmentedControl* nestControl() const { return nest_; }
    ReorderableRowList* actionList() const { return list_; }
    FinderActionRow* row(const std::string& id) const;
    QComboBox* terminalPicker() const { return terminal_; }
    QComboBox* editorPicker() const { return editor_; }
    QSpinBox* sizeLimit() const { return sizeLimit_; }

    // Asks before enabling a dangerous action; "启用" enables it, anything else leaves it off.
    std::function<bool()> confirmDangerous;

protected:
    void reload() override;

private:
    void refresh();
    void refreshRows();
    void fillPicker(QComboBox* picker, const QString& absentTitle, const std::vector<LaunchableApp>& apps,
                    const std::optional<std::string>& chosen);
    void toggled(const OndravellAction& action, bool on);
    bool askDangerous();

    FinderActionsModel model_;
    SegmentedControl* nest_;
    ReorderableRowList* list_;
    QComboBox* terminal_;
    QComboBox* editor_;
    QSpinBox* sizeLimit_;
    std::map<std::string, FinderActionRow*> rows_;
};

} // namespace ondravell
