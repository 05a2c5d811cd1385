#include "core/SharedConfig/LocalizationCatalog.h"

#include <algorithm>
#include <cstdlib>

namespace ondravell {

namespace {

// "zh_CN", "zh_SG" and plain "zh" read the keys as they stand; Traditional Chinese is a translation.
bool isKeyLanguage(std::string_view tag) {
    return tag == "zh" || tag == "zh_CN" || tag == "zh_SG" || tag == "zh_Hans";
}

std::string withoutCodesetAndModifier(std::string_view tag) {
    auto end = tag.find_first_of(".@");
    return std::string(tag.substr(0, end));
}

bool isPlainLocale(std::string_view tag) {
    return tag.empty() || tag == "C" || tag == "POSIX";
}

// "en_US" is tried as itself, then as "en".
std::vector<std::string> fallbacks(const std::string& tag) {
    std::vector<std::string> out{tag};
    auto underscore = tag.find('_');
    if (underscore != std::string::npos)
        out.push_back(tag.substr(0, underscore));
    return out;
}

} // namespace

LocalizationCatalog::LocalizationCatalog(std::span<const LocalizationEntry> table,
                                         const std::vector<std::string>& languages) {
    for (const auto& preferred : languages) {
        for (const auto& tag : fallbacks(preferred)) {
            if (isKeyLanguage(tag))
                return;
            bool found = false;
            for (const auto& entry : table) {
                if (entry.language != tag)
                    continue;
                found = true;
                texts_.emplace(entry.key, entry.text);
            }
            if (found)
                return;
        }
    }
}

std::optional<std::string_view> LocalizationCatalog::lookup(std::string_view key) const {
    auto it = texts_.find(key);
    if (it == texts_.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::string>
LocalizationCatalog::preferredLanguages(const std::function<const char*(const char*)>& getenv) {
    auto read = [&](const char* name) -> std::string_view {
        const char* value = getenv(name);
        return value ? std::string_view(value) : std::string_view();
    };
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = read(name);
        if (!locale.empty())
            break;
    }
    std::string localeTag = withoutCodesetAndModifier(locale);
    if (isPlainLocale(localeTag))
        return {};

    std::vector<std::string> out;
    std::string_view list = read("LANGUAGE");
    while (!list.empty()) {
        auto colon = list.find(':');
        std::string tag = withoutCodesetAndModifier(list.substr(0, colon));
        if (!isPlainLocale(tag) && std::find(out.begin(), out.end(), tag) == out.end())
            out.push_back(std::move(tag));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    if (out.empty())
        out.push_back(std::move(localeTag));
    return out;
}

const LocalizationCatalog& LocalizationCatalog::shared() {
    static const LocalizationCatalog catalog(
        localizationTable(), preferredLanguages([](const char* name) { return std::getenv(name); }));
    return catalog;
}

} // namespace ondravell
