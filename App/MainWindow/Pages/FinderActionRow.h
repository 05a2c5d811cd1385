#pragma once

#include "core/Models/ActionRule.h"
#include "core/Models/OndravellAction.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QMenu;
class QToolButton;

namespace ondravell {

class ConditionEditor;

// One action of the Finder page's list: title and symbol, badges, the group menu, the condition button
// with its popover, and the enable switch. The row keeps no settings: it reports each edit through its
// callbacks and shows whatever the page hands it next with `update`.
class FinderActionRow final : public QWidget {
public:
    struct State {
        bool isEnabled = false;
        ActionRule rule;
        std::optional<std::string> group;
        std::vector<std::string> existingGroups;
    };
    struct Callbacks {
        std::function<void(bool)> onToggle;
        std::function<void(const ActionRule&)> onRuleChange;
        std::function<void(const std::optional<std::string>&)> onGroupChange;
    };

    FinderActionRow(OndravellAction action, Callbacks callbacks, QWidget* parent = nullptr);

    const OndravellAction& action() const { return action_; }
    void update(const State& state);

    QCheckBox* enableSwitch() const { return switch_; }
    QToolButton* groupButton() const { return groupButton_; }
    QToolButton* conditionButton() const { return conditionButton_; }
    QLabel* dangerBadge() const { return dangerBadge_; }
    QLabel* groupBadge() const { return groupBadge_; }
    // The open condition popover's editor, if any.
    ConditionEditor* conditionEditor() const { return editor_; }
    // The new-group alert: the name typed, trimmed of spaces and tabs; nothing for a blank name.
    void askForNewGroup();
    void createGroup(const QString& typed);
    // The items of the group menu: "无分组", the groups in use, "新建分组…".
    void fillGroupMenu(QMenu* menu);

private:
    void openCondition();
    void showGroupMenu();

    OndravellAction action_;
    Callbacks callbacks_;
    State state_;
    QCheckBox* switch_;
    QLabel* dangerBadge_ = nullptr;
    QLabel* groupBadge_;
    QToolButton* groupButton_ = nullptr;
    QToolButton* conditionButton_ = nullptr;
    ConditionEditor* editor_ = nullptr;
};

} // namespace ondravell
