#include "core/FileOps/FileCreator.h"

#include "core/FileOps/FolderNames.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/Base64.h"
#include "core/Support/PathRules.h"

#include <cerrno>
#include <functional>
#include <sys/stat.h>

namespace ondravell {

namespace {

constexpr mode_t executablePermissions = 0755;

std::string contentsFor(const FileTemplate& fileTemplate, std::string_view fileName, std::string_view date) {
    if (fileTemplate.isBinaryBase64)
        return Base64::decode(fileTemplate.content).value_or(std::string());
    return fileTemplate.render(PathRules::nameWithoutExtension(fileName), date);
}

} // namespace

std::string FileCreator::uniqueName(std::string_view baseName, std::string_view ext,
                                    const std::set<std::string>& existing) {
    return FolderNames(existing).freeName(baseName, ext);
}

std::set<std::string> FileCreator::entryNames(const std::filesystem::path& directory) {
    return FolderNames::entryNames(directory);
}

bool FileCreator::isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

std::optional<std::filesystem::path> FileCreator::createUnderFreeName(const std::filesystem::path& directory,
                                                                      std::string_view baseName,
                                                                      std::string_view ext, const Maker& make,
                                                                      std::error_code& error) {
    error.clear();
    std::set<std::string> taken = entryNames(directory);
    for (;;) {
        const std::string name = uniqueName(baseName, ext, taken);
        // A NUL in the folder would cut the path short: the entry would land beside it under another name.
        if (!isPlainFileName(name) || directory.native().find('\0') != std::string::npos) {
            error = std::make_error_code(std::errc::invalid_argument);
            return std::nullopt;
        }
        const std::filesystem::path url = directory / name;
        error = make(url, name);
        if (!error)
            return url;
        if (error != std::errc::file_exists)
            return std::nullopt;
        taken.insert(name);
    }
}

std::optional<std::filesystem::path> FileCreator::createFolder(const std::filesystem::path& directory,
                                                               std::string_view baseName,
                                                               std::error_code& error) {
    return createUnderFreeName(
        directory, baseName, "",
        [](const std::filesystem::path& url, std::string_view) {
            // mkdir never replaces what is already there.
            return ::mkdir(url.c_str(), 0777) == 0 ? std::error_code()
                                                   : std::error_code(errno, std::generic_category());
        },
        error);
}

std::optional<std::filesystem::path> FileCreator::create(const FileTemplate& fileTemplate,
                                                         const std::filesystem::path& directory,
                                                         std::string_view baseName, std::string_view date,
                                                         std::error_code& error) {
    auto url = createUnderFreeName(
        directory, baseName, fileTemplate.fileExtension,
        [&](const std::filesystem::path& file, std::string_view name) {
            return writeNewFile(file, contentsFor(fileTemplate, name, date));
        },
        error);
    if (url && fileTemplate.isExecutable)
        ::chmod(url->c_str(), executablePermissions);
    return url;
}

} // namespace ondravell
