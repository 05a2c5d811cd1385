#pragma once

#include "core/FileOps/FileTemplate.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

namespace platform {
class FileDialog;
}

// The template editor: name, extension, icon and initial content of one of the user's templates,
// new or edited. Everything stays in the editor until `commit()`, which alone writes to the icon folder;
// cancelling leaves no trace, even after a picture was uploaded. The file of a picture it replaces is
// the templates list's to remove, once the list no longer names it.
class TemplateEditorModel {
public:
    // A decoded and normalised picture: PNG bytes, or the message that refuses the file.
    struct IconDecoding {
        std::optional<std::string> png;
        std::string error;
    };
    struct Services {
        platform::FileDialog& fileDialog;
        // Turns the bytes of a chosen file into the stored icon.
        std::function<IconDecoding(const std::string& bytes)> decodeIcon;
        // The file-name patterns the upload dialog offers ("*.png", ...).
        std::vector<std::string> imagePatterns;
    };

    static constexpr std::string_view tooLargeMessage = "图片超过 2 MB，请换更小的";
    static constexpr std::string_view unreadableMessage = "无法读取该图片";
    static constexpr std::string_view separatorMessage = "扩展名不能含 / 或 \\";
    static constexpr std::string_view iconNotSavedMessage = "无法保存该图标，模板未改动";
    static constexpr std::string_view listNotSavedMessage = "无法保存模板，模板未改动";

    TemplateEditorModel(std::optional<FileTemplate> editing, Services services);

    bool isEditing() const { return editing_.has_value(); }
    // "添加自定义模板" or "编辑模板"; the confirming button's "添加" or "保存".
    std::string title() const;
    std::string confirmTitle() const;

    std::string name;
    std::string ext;
    std::string content;

    const std::string& iconSymbol() const { return iconSymbol_; }
    // PNG bytes of the picture chosen as the icon, when there is one.
    const std::optional<std::string>& customIconData() const { return customIconData_; }
    const std::optional<std::string>& iconError() const { return iconError_; }
    // The symbol cell is highlighted: it is the icon and no picture is.
    bool isSelected(std::string_view symbol) const;

    void chooseSymbol(std::string_view symbol);
    // "移除": the picture goes, the symbol is the icon again.
    void removeIcon();
    // "上传图标…": asks for a picture file and makes it the icon, or shows why it cannot be.
    void uploadIcon();
    // The same for a file already chosen.
    void useIconFile(const std::filesystem::path& file);

    // Why the extension cannot be taken: it holds a path separator, and the file made from the template
    // would land in another folder. None for an extension the editor takes.
    std::optional<std::string> extensionError() const;
    // Name and extension, trimmed of spaces and tabs, both hold text, and the extension has no error.
    bool canCommit() const;
    // Writes the file of a newly chosen picture and gives the template to store; none, with `saveError`
    // saying so, when that file could not be written.
    std::optional<FileTemplate> commit();
    // The confirming button: commits and hands the template to `store`, which tells whether it held.
    // False when nothing was stored: `saveError` says why and the editor keeps what was typed.
    bool commitTo(const std::function<bool(const FileTemplate&)>& store);
    // Why the last confirmation stored nothing; cleared by the next.
    const std::optional<std::string>& saveError() const { return saveError_; }

private:
    std::optional<FileTemplate> editing_;
    Services services_;
    std::string iconSymbol_ = "doc";
    std::optional<std::string> customIconData_;
    std::optional<std::string> existingIconFilename_;
    bool iconChanged_ = false;
    std::optional<std::string> iconError_;
    std::optional<std::string> saveError_;
};

} // namespace ondravell
