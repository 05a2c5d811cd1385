#pragma once

#include "App/MainWindow/Models/TemplatesModel.h"
#include "App/MainWindow/Pages/TemplateIconCache.h"
#include "App/MainWindow/Widgets/SettingsPage.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

class QPushButton;

namespace ondravell {

namespace platform {
class FileDialog;
}

class AddTemplateSheet;
class ReorderableRowList;
class TemplateRow;

// The page "新建文件模板": every template of the file manager's new-file submenu in menu order, to
// reorder, show or hide, and the user's own to add, edit and delete in the template editor.
class TemplatesSettingsView final : public SettingsPage {
public:
    explicit TemplatesSettingsView(platform::FileDialog& dialog, QWidget* parent = nullptr);

    TemplatesModel& model() { return model_; }
    ReorderableRowList* list() const { return list_; }
    // The row of the template with this id (the first, should two share it).
    TemplateRow* row(const std::string& id) const;
    QPushButton* addButton() const { return add_; }

    // Opens the editor for a new template (none given) or for one of the user's.
    void openEditor(const std::optional<FileTemplate>& editing);
    // Runs an open editor until it closes; the modal dialog's own loop unless replaced.
    std::function<void(AddTemplateSheet&)> runSheet;

protected:
    void reload() override;

private:
    void refresh();

    platform::FileDialog& dialog_;
    TemplatesModel model_;
    TemplateIconCache icons_;
    ReorderableRowList* list_;
    QPushButton* add_;
    // Rows by template id and place among the templates sharing it, kept while their template stays.
    std::map<std::pair<std::string, int>, TemplateRow*> rows_;
};

} // namespace ondravell
