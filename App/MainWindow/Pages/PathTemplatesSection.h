#pragma once

#include "App/MainWindow/Models/PathTemplatesModel.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace ondravell {

class RemovableRowList;

// "自定义路径格式": the user's path formats with delete buttons, and an add row of name and template.
class PathTemplatesSection final : public QWidget {
public:
    explicit PathTemplatesSection(QWidget* parent = nullptr);

    void reload() { model_.load(); }
    PathTemplatesModel& model() { return model_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* templateField() const { return template_; }
    QPushButton* addButton() const { return add_; }
    RemovableRowList* rows() const { return list_; }

protected:
    // Each time the section comes on screen it shows what the settings file holds now.
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    PathTemplatesModel model_;
    RemovableRowList* list_;
    QLineEdit* name_;
    QLineEdit* template_;
    QPushButton* add_;
};

} // namespace ondravell
