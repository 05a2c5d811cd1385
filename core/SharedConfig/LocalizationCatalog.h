#pragma once

#include "core/Resources/LocalizationTable.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ondravell {

// The translations of one language, chosen from a table by the user's preferred languages. Simplified
// Chinese is the language of the keys, so a user who prefers it gets no translations at all, even when a
// later preference has some.
class LocalizationCatalog {
public:
    LocalizationCatalog(std::span<const LocalizationEntry> table, const std::vector<std::string>& languages);

    // The translation of `key`, or nullopt when the chosen language has none.
    std::optional<std::string_view> lookup(std::string_view key) const;

    // The user's languages as gettext reads them: LANGUAGE (a colon-separated list) unless the locale is
    // "C" or "POSIX", else the first of LC_ALL, LC_MESSAGES and LANG; codesets and modifiers dropped
    // ("en_US.UTF-8@euro" -> "en_US"). `getenv` is a parameter so tests need not touch the environment.
    static std::vector<std::string> preferredLanguages(const std::function<const char*(const char*)>& getenv);

    // The catalogue of the compiled-in table for this process's environment, built once on first use and
    // safe to read from any thread afterwards.
    static const LocalizationCatalog& shared();

private:
    std::unordered_map<std::string_view, std::string_view> texts_;
};

} // namespace ondravell
