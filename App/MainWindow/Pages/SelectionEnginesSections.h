#pragma once

#include "App/MainWindow/Models/SelectionEnginesModel.h"
#include "App/MainWindow/Widgets/BuildTurn.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QVBoxLayout;

namespace ondravell {

class RemovableRowList;
class SettingsSection;

// The selection toolbar's search engine, AI target and excluded applications: three sections of the
// toolbar's page. Their state lives in `SelectionEnginesModel`; the sections draw it and report the
// user's edits. Each time they come on screen they show what the settings file holds now.
class SelectionEnginesSections final : public QWidget {
public:
    using List = SelectionEnginesModel::List;

    explicit SelectionEnginesSections(SelectionEnginesModel::Services services, QWidget* parent = nullptr);

    // Draws, into `painter`, the fonts the sections use, so that their first showing finds them.
    static void warmUp(QPainter& painter);

    void reload() { model_.load(); }
    SelectionEnginesModel& model() { return model_; }
    QComboBox* picker(List list) const { return controls(list).picker; }
    QLineEdit* nameField(List list) const { return controls(list).name; }
    QLineEdit* templateField(List list) const { return controls(list).urlTemplate; }
    QPushButton* addButton(List list) const { return controls(list).add; }
    QLabel* refusal(List list) const { return controls(list).refusal; }
    QPushButton* addAppButton() const { return addApp_; }
    // The rows of the user's own engines, or of the excluded applications.
    QVBoxLayout* customRows(List list) const;
    QVBoxLayout* excludedRows() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct EngineControls {
        QComboBox* picker = nullptr;
        RemovableRowList* rows = nullptr;
        QLineEdit* name = nullptr;
        QLineEdit* urlTemplate = nullptr;
        QPushButton* add = nullptr;
        QLabel* refusal = nullptr;
    };

    void buildEngineSection(SettingsSection* section, List list, const QString& pickerLabel,
                            const QString& templatePlaceholder);
    const EngineControls& controls(List list) const { return list == List::search ? search_ : ai_; }
    void refresh();
    void refreshEngines(List list);
    void refreshAddRow(List list);
    void refreshBlacklist();

    BuildTurn buildTurn_;
    SelectionEnginesModel model_;
    EngineControls search_;
    EngineControls ai_;
    RemovableRowList* blacklistRows_ = nullptr;
    QPushButton* addApp_ = nullptr;
    // A keystroke in an add row is being reported.
    bool typing_ = false;
};

} // namespace ondravell
