#include "App/NewFile/NewFileForm.h"

#include "core/FileOps/FileCreator.h"
#include "core/FileOps/LocalDateText.h"
#include "core/Support/UnicodeText.h"
#include "core/Support/Uuid.h"

namespace ondravell {

namespace {

std::string_view trimmed(std::string_view text, std::string_view characters) {
    std::size_t first = text.find_first_not_of(characters);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

bool holdsSlashOrNul(std::string_view text) {
    return text.find('/') != std::string_view::npos || text.find('\0') != std::string_view::npos;
}

} // namespace

std::string NewFileForm::trimmedName(std::string_view fileName) {
    return std::string(trimmed(fileName, " \t"));
}

std::string NewFileForm::normalizedExtension(std::string_view fileExtension) {
    return UnicodeText::lowercased(trimmed(fileExtension, ". "));
}

bool NewFileForm::canCreate(std::string_view fileName, std::string_view fileExtension) {
    return FileCreator::isPlainFileName(trimmedName(fileName)) && !holdsSlashOrNul(fileExtension);
}

std::string NewFileForm::failureMessage(std::error_code error) {
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
        return "无法新建文件：文件夹不存在";
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
        error == std::errc::read_only_file_system)
        return "无法新建文件：没有写入此文件夹的权限";
    if (error == std::errc::no_space_on_device)
        return "无法新建文件：磁盘空间不足";
    return "无法新建文件";
}

std::string NewFileForm::title(const std::filesystem::path& directory) {
    std::string name = directory.filename().string();
    if (name.empty())
        name = directory.parent_path().filename().string();
    return "在「" + (name.empty() ? directory.string() : name) + "」新建文件";
}

std::optional<std::filesystem::path> NewFileForm::create(const std::filesystem::path& directory,
                                                         std::string_view fileName,
                                                         std::string_view fileExtension,
                                                         std::chrono::system_clock::time_point now,
                                                         const Services& services) {
    if (!canCreate(fileName, fileExtension))
        return std::nullopt;
    FileTemplate custom{"custom", "",          normalizedExtension(fileExtension), "", false, "doc",
                        false,    std::nullopt};
    std::error_code error;
    std::optional<std::filesystem::path> created =
        FileCreator::create(custom, directory, trimmedName(fileName), LocalDateText::date(now), error);
    if (!created) {
        if (services.showAccessHint)
            services.showAccessHint(failureMessage(error));
        return std::nullopt;
    }
    services.history.append(FileOperation{
        makeUUIDString(), FileOperation::Kind::newFile, now, {{std::nullopt, created->string()}}, false});
    if (services.showToast)
        services.showToast("已新建 " + created->filename().string(), "doc.badge.plus");
    return created;
}

} // namespace ondravell
