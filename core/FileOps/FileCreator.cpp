#include "core/FileOps/FileCreator.h"

#include "core/Support/AtomicFile.h"
#include "core/Support/Base64.h"
#include "core/Support/Numbers.h"
#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"

#include <algorithm>
#include <sys/stat.h>
#include <unicode/normalizer2.h>
#include <unordered_set>

namespace ondravell {

namespace {

constexpr mode_t executablePermissions = 0755;

// Canonically equivalent spellings ("é" as one code point or as e and a combining accent) compare
// equal once both are in composed form.
std::string composed(std::string_view text) {
    // Plain ASCII is already composed; most names are, and folders can hold many of them.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(text);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return std::string(text);
    icu::UnicodeString normalized = nfc->normalize(UnicodeText::toICU(text), status);
    if (U_FAILURE(status))
        return std::string(text);
    return UnicodeText::fromICU(normalized);
}

std::string candidateName(std::string_view baseName, std::string_view ext, std::int64_t n) {
    std::string name(baseName);
    if (n > 1)
        name += " " + Numbers::format(n);
    if (!ext.empty()) {
        name += '.';
        name += ext;
    }
    return name;
}

std::string contentsFor(const FileTemplate& fileTemplate, std::string_view fileName, std::string_view date) {
    if (fileTemplate.isBinaryBase64)
        return Base64::decode(fileTemplate.content).value_or(std::string());
    return fileTemplate.render(PathRules::nameWithoutExtension(fileName), date);
}

} // namespace

std::string FileCreator::uniqueName(std::string_view baseName, std::string_view ext,
                                    const std::set<std::string>& existing) {
    std::unordered_set<std::string> taken;
    taken.reserve(existing.size());
    for (const std::string& name : existing)
        taken.insert(composed(name));
    for (std::int64_t n = 1;; ++n) {
        std::string candidate = candidateName(baseName, ext, n);
        if (!taken.contains(composed(candidate)))
            return candidate;
    }
}

std::set<std::string> FileCreator::entryNames(const std::filesystem::path& directory) {
    std::set<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(directory, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error))
        names.insert(it->path().filename().native());
    if (error)
        return {};
    return names;
}

bool FileCreator::isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

std::optional<std::filesystem::path> FileCreator::create(const FileTemplate& fileTemplate,
                                                         const std::filesystem::path& directory,
                                                         std::string_view baseName, std::string_view date,
                                                         std::error_code& error) {
    error.clear();
    const std::string name = uniqueName(baseName, fileTemplate.fileExtension, entryNames(directory));
    // A NUL in the folder would cut the path short: the file would land beside it under another name.
    if (!isPlainFileName(name) || directory.native().find('\0') != std::string::npos) {
        error = std::make_error_code(std::errc::invalid_argument);
        return std::nullopt;
    }
    const std::filesystem::path url = directory / name;
    error = writeNewFile(url, contentsFor(fileTemplate, name, date));
    if (error)
        return std::nullopt;
    if (fileTemplate.isExecutable)
        ::chmod(url.c_str(), executablePermissions);
    return url;
}

} // namespace ondravell
