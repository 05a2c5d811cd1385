#include "core/TextProcessing/CaseConverter.h"

#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/Characters.h"

#include <string>
#include <unicode/locid.h>

namespace ondravell {
namespace {

bool isSeparator(std::string_view character) {
    return character == "_" || character == "-" || character == " " || character == "." || character == "/";
}

icu::Locale makeLocale(std::string_view locale) {
    return icu::Locale::createCanonical(std::string(locale).c_str());
}

std::string lowercased(std::string_view text, const icu::Locale& locale) {
    icu::UnicodeString value = UnicodeText::toICU(text);
    value.toLower(locale);
    return UnicodeText::fromICU(value);
}

std::string uppercased(std::string_view text, const icu::Locale& locale) {
    icu::UnicodeString value = UnicodeText::toICU(text);
    value.toUpper(locale);
    return UnicodeText::fromICU(value);
}

std::string capitalizedWords(std::string_view text, const icu::Locale& locale) {
    icu::UnicodeString value = UnicodeText::toICU(text);
    value.toTitle(nullptr, locale);
    return UnicodeText::fromICU(value);
}

// Upper-cases the first character of a word and keeps the rest.
std::string capitalizeFirst(std::string_view word, const icu::Locale& locale) {
    const auto characters = Characters::split(word);
    if (characters.empty())
        return {};
    const std::size_t firstLength = characters.front().size();
    return uppercased(word.substr(0, firstLength), locale) + std::string(word.substr(firstLength));
}

std::string join(const std::vector<std::string>& words, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            out += separator;
        out += words[i];
    }
    return out;
}

} // namespace

std::vector<std::string> CaseConverter::tokenize(std::string_view text) {
    const auto characters = Characters::split(text);
    std::vector<std::string> words;
    std::string current;
    std::string_view previous; // last character of `current`
    auto endWord = [&] {
        if (!current.empty())
            words.push_back(std::move(current));
        current.clear();
        previous = {};
    };
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::string_view character = characters[i];
        if (isSeparator(character)) {
            endWord();
            continue;
        }
        if (!current.empty() && Characters::isUppercase(character)) {
            const bool acronymEnds = Characters::isUppercase(previous) && i + 1 < characters.size() &&
                                     Characters::isLowercase(characters[i + 1]);
            if (Characters::isLowercase(previous) || Characters::isNumber(previous) || acronymEnds)
                endWord();
        }
        current += character;
        previous = character;
    }
    endWord();
    return words;
}

std::string CaseConverter::convert(std::string_view text, NamingStyle style, std::string_view localeID) {
    const icu::Locale locale = makeLocale(localeID);
    switch (style) {
    case NamingStyle::lower:
        return lowercased(text, locale);
    case NamingStyle::upper:
        return uppercased(text, locale);
    case NamingStyle::capitalized:
        return capitalizedWords(text, locale);
    default:
        break;
    }
    std::vector<std::string> words = tokenize(text);
    for (auto& word : words)
        word = lowercased(word, locale);
    for (std::size_t i = 0; i < words.size(); ++i) {
        switch (style) {
        case NamingStyle::camelCase:
            if (i > 0)
                words[i] = capitalizeFirst(words[i], locale);
            break;
        case NamingStyle::pascalCase:
        case NamingStyle::titleCase:
            words[i] = capitalizeFirst(words[i], locale);
            break;
        case NamingStyle::constantCase:
            words[i] = uppercased(words[i], locale);
            break;
        default:
            break;
        }
    }
    switch (style) {
    case NamingStyle::snakeCase:
    case NamingStyle::constantCase:
        return join(words, "_");
    case NamingStyle::kebabCase:
        return join(words, "-");
    case NamingStyle::titleCase:
        return join(words, " ");
    default:
        return join(words, "");
    }
}

} // namespace ondravell
