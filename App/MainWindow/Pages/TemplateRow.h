#pragma once

#include "core/FileOps/FileTemplate.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QToolButton;

namespace ondravell {

class TemplateIconCache;

// One template of the templates page: its icon, name and extension, for the user's own templates the
// edit and delete buttons, and the switch that shows it in the file manager's menu. The row keeps no
// settings: it reports each click through its callbacks.
class TemplateRow final : public QWidget {
public:
    struct Callbacks {
        std::function<void(bool)> onToggle;
        std::function<void()> onEdit;
        std::function<void()> onDelete;
    };

    TemplateRow(FileTemplate fileTemplate, bool isCustom, TemplateIconCache& icons, Callbacks callbacks,
                QWidget* parent = nullptr);

    const FileTemplate& fileTemplate() const { return template_; }
    bool isCustom() const { return isCustom_; }
    void setShown(bool shown);

    QCheckBox* visibilitySwitch() const { return switch_; }
    // The name shown.
    const QString& name() const;
    QToolButton* editButton() const { return edit_; }
    QToolButton* deleteButton() const { return delete_; }
    // The picture the icon shows now: the user's file when it loads, else the symbol.
    bool showsPicture() const;

private:
    class Title;

    FileTemplate template_;
    bool isCustom_;
    TemplateIconCache& icons_;
    Callbacks callbacks_;
    bool shown_ = true;
    Title* title_;
    QToolButton* edit_ = nullptr;
    QToolButton* delete_ = nullptr;
    QCheckBox* switch_;
};

} // namespace ondravell
