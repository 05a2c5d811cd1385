#include "core/FileOps/FolderNames.h"

#include "core/Support/Numbers.h"
#include "core/Support/RestrictWarning.h"
#include "core/Support/UnicodeText.h"

#include <algorithm>
#include <unicode/normalizer2.h>

namespace ondravell {

namespace {

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
    // A false overlap warning of GCC 12 (see RestrictWarning.h).
    ONDRAVELL_IGNORE_RESTRICT_BEGIN
    if (n > 1)
        name += " " + Numbers::format(n);
    ONDRAVELL_IGNORE_RESTRICT_END
    if (!ext.empty()) {
        name += '.';
        name += ext;
    }
    return name;
}

} // namespace

FolderNames::FolderNames(const std::set<std::string>& names) {
    composedNames_.reserve(names.size());
    for (const std::string& name : names)
        add(name);
}

std::set<std::string> FolderNames::entryNames(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error))
        names.insert(it->path().filename().native());
    if (error)
        return {};
    return names;
}

FolderNames FolderNames::of(const std::filesystem::path& folder) {
    return FolderNames(entryNames(folder));
}

std::string FolderNames::freeName(std::string_view baseName, std::string_view ext) const {
    for (std::int64_t n = 1;; ++n) {
        std::string candidate = candidateName(baseName, ext, n);
        if (!contains(candidate))
            return candidate;
    }
}

bool FolderNames::contains(std::string_view name) const {
    return composedNames_.contains(composed(name));
}

void FolderNames::add(std::string_view name) {
    ++composedNames_[composed(name)];
}

void FolderNames::remove(std::string_view name) {
    auto entry = composedNames_.find(composed(name));
    if (entry != composedNames_.end() && --entry->second == 0)
        composedNames_.erase(entry);
}

} // namespace ondravell
