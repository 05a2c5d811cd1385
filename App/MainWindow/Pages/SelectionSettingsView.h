#pragma once

#include "App/MainWindow/Models/SelectionSettingsModel.h"
#include "App/MainWindow/Widgets/BuildTurn.h"
#include "App/MainWindow/Widgets/SettingsPage.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QPainter;
class QRadioButton;

namespace ondravell {

class KeyRecorderField;
class ReorderableRowList;
class SegmentedControl;

namespace platform {
class KeyboardLayout;
}

// The page "划词": the selection toolbar's switch, its trigger and hot key, the style of its buttons
// and its actions with their glyphs, in order. Everything below the switch shows only while the toolbar
// is on, the sections added with `addToolbarSection` too. Its state lives in `SelectionSettingsModel`;
// the page draws it and reports the user's edits.
class SelectionSettingsView final : public SettingsPage {
public:
    SelectionSettingsView(SelectionSettingsModel::Services services, const platform::KeyboardLayout* layout,
                          QWidget* parent = nullptr);

    // Draws, into `painter`, the fonts and glyphs the page uses, so that its first showing finds them.
    static void warmUp(QPainter& painter);

    // A section after the page's own, shown only while the toolbar is on.
    void addToolbarSection(QWidget* section);
    const std::vector<QWidget*>& toolbarSections() const { return toolbarSections_; }

    SelectionSettingsModel& model() { return model_; }
    QCheckBox* enabledSwitch() const { return enabled_; }
    QWidget* trustWarning() const { return trustWarning_; }
    QRadioButton* triggerButton(bool automatic) const { return automatic ? auto_ : hotKeyOnly_; }
    KeyRecorderField* hotKeyRecorder() const { return recorder_; }
    SegmentedControl* styleControl() const { return style_; }
    ReorderableRowList* actionList() const { return list_; }
    // The switch of the action's row; null for an id of no built-in action.
    QCheckBox* actionSwitch(std::string_view id) const;

protected:
    void reload() override;

private:
    QWidget* makeActionRow(const SelectionAction& action);
    void refresh();
    void refreshRows();

    BuildTurn buildTurn_;
    SelectionSettingsModel model_;
    QCheckBox* enabled_;
    QWidget* trustWarning_;
    QWidget* servicesWarning_ = nullptr;
    QRadioButton* auto_;
    QRadioButton* hotKeyOnly_;
    KeyRecorderField* recorder_;
    SegmentedControl* style_;
    ReorderableRowList* list_;
    std::vector<QWidget*> toolbarSections_;
    std::map<std::string, QWidget*, std::less<>> rows_;
    std::map<std::string, QCheckBox*, std::less<>> switches_;
};

} // namespace ondravell
