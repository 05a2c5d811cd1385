#pragma once

#include "App/MainWindow/Models/TemplateEditorModel.h"

#include <QDialog>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace ondravell {

// The template editor: a modal dialog over the templates page for a new template of the user's or one
// being edited. "添加" or "保存" writes the icon file, hands the template to `onSave` and closes once
// that stored it; when it did not, the sheet stays open with what was typed and says so. "取消" closes
// and writes nothing.
class AddTemplateSheet final : public QDialog {
public:
    // `onSave` stores the template and tells whether that held.
    AddTemplateSheet(const std::optional<FileTemplate>& editing, platform::FileDialog& dialog,
                     std::function<bool(const FileTemplate&)> onSave, QWidget* parent = nullptr);

    TemplateEditorModel& model() { return model_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* extensionField() const { return extension_; }
    QMenu* presetMenu() const { return presets_; }
    QAbstractButton* symbolCell(std::string_view symbol) const;
    QLabel* preview() const { return preview_; }
    QPushButton* uploadButton() const { return upload_; }
    QPushButton* removeButton() const { return remove_; }
    QLabel* errorLabel() const { return error_; }
    // Why the typed extension is refused.
    QLabel* extensionErrorLabel() const { return extensionError_; }
    // Why the last confirmation stored nothing.
    QLabel* saveErrorLabel() const { return saveError_; }
    QPlainTextEdit* contentEditor() const { return content_; }
    QPushButton* confirmButton() const { return confirm_; }
    QPushButton* cancelButton() const { return cancel_; }

    // What the confirming button does: stores the icon, hands the template over, closes once it is stored.
    void commit();

private:
    QWidget* makeIconRow();
    QWidget* makeSymbolGrid();
    void refreshIcon();
    void refreshConfirm();
    void showMessage(QLabel* label, const std::optional<std::string>& message);

    TemplateEditorModel model_;
    std::function<bool(const FileTemplate&)> onSave_;
    QLineEdit* name_;
    QLineEdit* extension_;
    QMenu* presets_;
    QLabel* preview_;
    std::map<std::string, QToolButton*, std::less<>> cells_;
    QPushButton* upload_;
    QPushButton* remove_;
    QLabel* error_;
    QLabel* extensionError_;
    QLabel* saveError_;
    QPlainTextEdit* content_;
    QPushButton* confirm_;
    QPushButton* cancel_;
};

} // namespace ondravell
