#pragma once

#include "App/MainWindow/Models/FavoriteTargetsModel.h"

#include <QWidget>

class QPushButton;

namespace ondravell {

class RemovableRowList;

// "收藏目标": the favourite folders of the copy-to and move-to submenus, each with a delete button,
// and "添加收藏目标…", off while the list holds 8 or more.
class FavoriteTargetsSection final : public QWidget {
public:
    explicit FavoriteTargetsSection(platform::FileDialog& dialog, QWidget* parent = nullptr);

    void reload() { model_.load(); }
    FavoriteTargetsModel& model() { return model_; }
    QPushButton* addButton() const { return add_; }
    RemovableRowList* rows() const { return list_; }

protected:
    // Each time the section comes on screen it shows what the settings file holds now.
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    FavoriteTargetsModel model_;
    RemovableRowList* list_;
    QPushButton* add_;
};

} // namespace ondravell
