#include "core/TextProcessing/CaseConverter.h"

#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/Characters.h"

#include <memory>
#include <string>
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/ucasemap.h>
#include <unicode/utext.h>

namespace ondravell {
namespace {

bool isSeparator(std::string_view character) {
    return character.size() == 1 && (character[0] == '_' || character[0] == '-' || character[0] == ' ' ||
                                     character[0] == '.' || character[0] == '/');
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

// Calls emit(word) for every word of the text in order; a word is a view into the text, since it is
// always a stretch of it between separators and case changes. Each character is decided once its
// successor is known, which the end of an acronym needs.
template <typename Emit> void forEachWord(std::string_view text, Emit emit) {
    constexpr std::size_t none = std::string_view::npos;
    std::size_t wordStart = none;
    std::string_view previous; // last character of the current word
    auto endWordAt = [&](std::size_t offset) {
        if (wordStart != none)
            emit(text.substr(wordStart, offset - wordStart));
        wordStart = none;
        previous = {};
    };
    auto take = [&](std::string_view character, std::string_view next) {
        const auto offset = static_cast<std::size_t>(character.data() - text.data());
        if (isSeparator(character)) {
            endWordAt(offset);
            return;
        }
        if (wordStart != none && Characters::isUppercase(character)) {
            const bool acronymEnds =
                Characters::isUppercase(previous) && !next.empty() && Characters::isLowercase(next);
            if (Characters::isLowercase(previous) || Characters::isNumber(previous) || acronymEnds)
                endWordAt(offset);
        }
        if (wordStart == none)
            wordStart = offset;
        previous = character;
    };
    std::string_view waiting;
    Characters::forEach(text, [&](std::string_view character) {
        if (!waiting.empty())
            take(waiting, character);
        waiting = character;
        return true;
    });
    if (!waiting.empty())
        take(waiting, {});
    endWordAt(text.size());
}

// The case mappings of one conversion, set up once for all its words: the locale's case map, and a
// character break iterator kept for finding where a word's first character ends. Plain ASCII words are
// mapped byte by byte where the locale maps ASCII letters as everyone does (not in Turkish or
// Azerbaijani, where i and I have dotted and dotless partners).
class WordCaser {
public:
    explicit WordCaser(const icu::Locale& locale) {
        UErrorCode status = U_ZERO_ERROR;
        caseMap_.reset(ucasemap_open(locale.getName(), 0, &status));
        if (U_FAILURE(status))
            caseMap_.reset();
        const std::string_view language = locale.getLanguage();
        asciiAsUsual_ = language != "tr" && language != "az";
    }

    // Appends the word in lower or upper case to `out`.
    void appendLower(std::string& out, std::string_view word) {
        append(out, word, ucasemap_utf8ToLower, 'A');
    }
    void appendUpper(std::string& out, std::string_view word) {
        append(out, word, ucasemap_utf8ToUpper, 'a');
    }

    // Appends the word with its first character in upper case and the rest as it is.
    void appendCapitalized(std::string& out, std::string_view word) {
        const std::size_t first = firstCharacterLength(word);
        appendUpper(out, word.substr(0, first));
        out += word.substr(first);
    }

private:
    using Mapping = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

    // `from` is the first ASCII letter that the mapping changes ('A' for lower-casing, 'a' for upper).
    void append(std::string& out, std::string_view word, Mapping mapping, char from) {
        if (asciiAsUsual_ && isASCII(word)) {
            for (char c : word)
                out += (c >= from && c <= from + 25) ? static_cast<char>(c ^ 0x20) : c;
            return;
        }
        if (!caseMap_) {
            out += from == 'A' ? lowercased(word, icu::Locale::getRoot())
                               : uppercased(word, icu::Locale::getRoot());
            return;
        }
        // Case mappings rarely grow a text by more than three times (ß to SS, ŉ to ʼN).
        if (scratch_.size() < word.size() * 3 + 8)
            scratch_.resize(word.size() * 3 + 8);
        for (;;) {
            UErrorCode status = U_ZERO_ERROR;
            const int32_t length =
                mapping(caseMap_.get(), scratch_.data(), static_cast<int32_t>(scratch_.size()), word.data(),
                        static_cast<int32_t>(word.size()), &status);
            if (status == U_BUFFER_OVERFLOW_ERROR) {
                scratch_.resize(static_cast<std::size_t>(length));
                continue;
            }
            if (U_SUCCESS(status))
                out.append(scratch_.data(), static_cast<std::size_t>(length));
            return;
        }
    }

    static bool isASCII(std::string_view word) {
        for (char c : word)
            if (static_cast<unsigned char>(c) >= 0x80)
                return false;
        return true;
    }

    std::size_t firstCharacterLength(std::string_view word) {
        if (word.empty())
            return 0;
        if (const std::size_t lone = Characters::loneCodePointLength(word, 0))
            return lone;
        UErrorCode status = U_ZERO_ERROR;
        if (!breaks_)
            breaks_.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        UText text = UTEXT_INITIALIZER;
        utext_openUTF8(&text, word.data(), static_cast<int64_t>(word.size()), &status);
        std::size_t length = word.size();
        if (U_SUCCESS(status) && breaks_) {
            breaks_->setText(&text, status);
            const int32_t end = U_SUCCESS(status) ? breaks_->next() : icu::BreakIterator::DONE;
            if (end > 0)
                length = static_cast<std::size_t>(end);
        }
        utext_close(&text);
        return length;
    }

    struct CaseMapClose {
        void operator()(UCaseMap* map) const { ucasemap_close(map); }
    };
    std::unique_ptr<UCaseMap, CaseMapClose> caseMap_;
    std::unique_ptr<icu::BreakIterator> breaks_;
    std::string scratch_;
    bool asciiAsUsual_ = true;
};

} // namespace

std::vector<std::string> CaseConverter::tokenize(std::string_view text) {
    std::vector<std::string> words;
    forEachWord(text, [&](std::string_view word) { words.emplace_back(word); });
    return words;
}

std::string CaseConverter::convert(std::string_view input, NamingStyle style, std::string_view localeID) {
    const icu::Locale locale = makeLocale(localeID);
    switch (style) {
    case NamingStyle::lower:
        return lowercased(input, locale);
    case NamingStyle::upper:
        return uppercased(input, locale);
    case NamingStyle::capitalized:
        return capitalizedWords(input, locale);
    default:
        break;
    }
    // The words are mapped as UTF-8 as they stand; bytes that are not UTF-8 are first replaced by
    // U+FFFD, as every mapping through UTF-16 does.
    std::string repaired;
    std::string_view text = input;
    if (!UnicodeText::isValidUTF8(input)) {
        repaired = UnicodeText::fromICU(UnicodeText::toICU(input));
        text = repaired;
    }
    std::string_view separator;
    switch (style) {
    case NamingStyle::snakeCase:
    case NamingStyle::constantCase:
        separator = "_";
        break;
    case NamingStyle::kebabCase:
        separator = "-";
        break;
    case NamingStyle::titleCase:
        separator = " ";
        break;
    default:
        break;
    }
    WordCaser caser(locale);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::string lower;
    bool firstWord = true;
    forEachWord(text, [&](std::string_view word) {
        if (!firstWord)
            out += separator;
        lower.clear();
        caser.appendLower(lower, word);
        switch (style) {
        case NamingStyle::camelCase:
            if (firstWord)
                out += lower;
            else
                caser.appendCapitalized(out, lower);
            break;
        case NamingStyle::pascalCase:
        case NamingStyle::titleCase:
            caser.appendCapitalized(out, lower);
            break;
        case NamingStyle::constantCase:
            caser.appendUpper(out, lower);
            break;
        default:
            out += lower;
            break;
        }
        firstWord = false;
    });
    return out;
}

} // namespace ondravell
