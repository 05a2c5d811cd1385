#pragma once

#include "App/MainWindow/Models/ConditionEditorModel.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace ondravell {

class SegmentedControl;

// The content of an action's condition popover. Every change reaches the row's callback at once; the
// extensions field shows its normalised text when the editor opens and is never rewritten while the
// user types in it.
class ConditionEditor final : public QFrame {
public:
    ConditionEditor(const OndravellAction& action, const ActionRule& rule,
                    std::function<void(const ActionRule&)> onChange, QWidget* parent = nullptr);

    const ConditionEditorModel& model() const { return model_; }
    QLineEdit* extensionsField() const { return extensions_; }
    QPushButton* clearButton() const { return clear_; }
    SegmentedControl* picker() const { return picker_; }
    // The steppers of "最少选中" (0) and "最多选中" (1): their down and up buttons.
    QToolButton* stepButton(int count, int delta) const;
    QLabel* countLabel(int count) const { return countLabels_[count]; }

private:
    QWidget* countRow(const QString& title, int count);
    void step(int count, int delta);
    void refresh();

    ConditionEditorModel model_;
    SegmentedControl* picker_ = nullptr;
    QLineEdit* extensions_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLabel* countLabels_[2] = {nullptr, nullptr};
    QToolButton* steppers_[2][2] = {{nullptr, nullptr}, {nullptr, nullptr}};
};

} // namespace ondravell
