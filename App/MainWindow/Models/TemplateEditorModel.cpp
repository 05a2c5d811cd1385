#include "App/MainWindow/Models/TemplateEditorModel.h"

#include "App/MainWindow/Models/SpaceTrim.h"
#include "core/FileOps/TemplateIconStore.h"
#include "core/FileOps/TemplateStore.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/Uuid.h"
#include "platform/FileDialog.h"

namespace ondravell {

namespace {

constexpr std::string_view customIDPrefix = "custom.";
constexpr std::string_view iconFileSuffix = ".png";

TemplateIconStore iconStore() {
    return TemplateIconStore(TemplateStore::appGroupID);
}

std::string trimmingPoints(std::string_view text) {
    std::size_t first = text.find_first_not_of('.');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of('.') - first + 1));
}

} // namespace

TemplateEditorModel::TemplateEditorModel(std::optional<FileTemplate> editing, Services services)
    : editing_(std::move(editing)), services_(std::move(services)) {
    if (!editing_)
        return;
    name = editing_->displayNameKey;
    ext = editing_->fileExtension;
    content = editing_->content;
    iconSymbol_ = editing_->iconSymbol;
    existingIconFilename_ = editing_->customIconFilename;
    // An icon that cannot be read shows as the symbol; its name stays unless the icon is changed.
    if (existingIconFilename_)
        if (auto url = iconStore().iconURL(*existingIconFilename_))
            if (auto bytes = readRegularFile(*url, TemplateIconStore::maxUploadBytes);
                bytes && bytes->size() <= TemplateIconStore::maxUploadBytes)
                customIconData_ = std::move(bytes);
}

std::string TemplateEditorModel::title() const {
    return isEditing() ? "编辑模板" : "添加自定义模板";
}

std::string TemplateEditorModel::confirmTitle() const {
    return isEditing() ? "保存" : "添加";
}

bool TemplateEditorModel::isSelected(std::string_view symbol) const {
    return !customIconData_ && iconSymbol_ == symbol;
}

void TemplateEditorModel::chooseSymbol(std::string_view symbol) {
    iconSymbol_ = symbol;
    customIconData_.reset();
    iconChanged_ = true;
}

void TemplateEditorModel::removeIcon() {
    customIconData_.reset();
    iconChanged_ = true;
}

void TemplateEditorModel::uploadIcon() {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogRequest::Kind::openFile;
    request.title = "上传图标";
    request.nameFilters = services_.imagePatterns;
    if (std::optional<std::filesystem::path> chosen = services_.fileDialog.run(request))
        useIconFile(*chosen);
}

void TemplateEditorModel::useIconFile(const std::filesystem::path& file) {
    // At most one byte over the limit is read: a larger file is refused before anything decodes it.
    std::optional<std::string> bytes = readRegularFile(file, TemplateIconStore::maxUploadBytes);
    if (bytes && bytes->size() > TemplateIconStore::maxUploadBytes) {
        iconError_ = std::string(tooLargeMessage);
        return;
    }
    if (!bytes) {
        iconError_ = std::string(unreadableMessage);
        return;
    }
    IconDecoding decoded = services_.decodeIcon(*bytes);
    if (!decoded.png) {
        iconError_ = decoded.error;
        return;
    }
    customIconData_ = std::move(decoded.png);
    iconChanged_ = true;
    iconError_.reset();
}

std::optional<std::string> TemplateEditorModel::extensionError() const {
    if (ext.find_first_of("/\\") != std::string::npos)
        return std::string(separatorMessage);
    return std::nullopt;
}

bool TemplateEditorModel::canCommit() const {
    return !trimmingSpacesAndTabs(name).empty() && !trimmingSpacesAndTabs(ext).empty() && !extensionError();
}

std::optional<FileTemplate> TemplateEditorModel::commit() {
    saveError_.reset();
    FileTemplate result;
    result.id = editing_ ? editing_->id : std::string(customIDPrefix) + makeUUIDString();
    result.displayNameKey = trimmingSpacesAndTabs(name);
    result.fileExtension = trimmingPoints(trimmingSpacesAndTabs(ext));
    result.content = content;
    result.isExecutable = false;
    result.iconSymbol = iconSymbol_;
    result.isBinaryBase64 = false;
    result.customIconFilename = existingIconFilename_;
    if (iconChanged_) {
        result.customIconFilename.reset();
        if (customIconData_) {
            // A new name for every new picture: the module and the list never see a half-replaced file.
            std::string filename = makeUUIDString() + std::string(iconFileSuffix);
            if (!iconStore().save(*customIconData_, filename)) {
                saveError_ = std::string(iconNotSavedMessage);
                return std::nullopt;
            }
            result.customIconFilename = std::move(filename);
        }
    }
    return result;
}

bool TemplateEditorModel::commitTo(const std::function<bool(const FileTemplate&)>& store) {
    std::optional<FileTemplate> made = commit();
    if (!made)
        return false;
    if (store && !store(*made)) {
        saveError_ = std::string(listNotSavedMessage);
        return false;
    }
    return true;
}

} // namespace ondravell
