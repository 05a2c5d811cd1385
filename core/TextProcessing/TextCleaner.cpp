#include "core/TextProcessing/TextCleaner.h"

#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/IcuRegex.h"

#include <memory>
#include <optional>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uniset.h>
#include <unicode/utf8.h>

namespace ondravell {
namespace {

std::string replaceAll(std::string_view text, const IcuRegex& regex, std::u16string_view replacement) {
    return UnicodeText::fromICU(regex.replaceAll(UnicodeText::toICU(text), replacement));
}

// The characters that the rules of a transliterator name on their matching side, key and context both,
// or nothing when the rules use more than plain characters and lists of them (ranges, negated sets,
// variables, anchors, quoting), which this does not read.
std::optional<icu::UnicodeSet> charactersOfRules(const icu::Transliterator& transliterator) {
    icu::UnicodeString rules;
    transliterator.toRules(rules, false);
    icu::UnicodeSet characters;
    const int32_t length = rules.length();
    for (int32_t start = 0; start < length;) {
        int32_t end = rules.indexOf(u';', start);
        if (end < 0)
            end = length;
        int32_t arrow = rules.indexOf(u'>', start, end - start);
        if (arrow < 0) {
            for (int32_t i = start; i < end; ++i)
                if (!u_isUWhiteSpace(rules.charAt(i)))
                    return std::nullopt;
            start = end + 1;
            continue;
        }
        for (int32_t i = start; i < arrow;) {
            const UChar32 c = rules.char32At(i);
            i += U16_LENGTH(c);
            if (c == u'{' || c == u'}' || c == u'[' || c == u']' || u_isUWhiteSpace(c))
                continue;
            if (c < 0x80 || c == u'\u2192' || c == u'\u2190' || c == u'\u2194')
                return std::nullopt;
            characters.add(c);
        }
        start = end + 1;
    }
    characters.freeze();
    return characters;
}

std::string transliterate(std::string_view text, const char* id,
                          const std::optional<icu::UnicodeSet>& filter) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transliterator(
        icu::Transliterator::createInstance(icu::UnicodeString(id, -1, US_INV), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !transliterator)
        return std::string(text);
    // No rule can match where a character of the text is not named in the rules, so the transliterator
    // may skip those and work on the runs between them alone: the same result, many times sooner on
    // text that is mostly Latin, digits and punctuation.
    if (filter && !transliterator->getFilter())
        transliterator->adoptFilter(filter->clone());
    icu::UnicodeString value = UnicodeText::toICU(text);
    transliterator->transliterate(value);
    return UnicodeText::fromICU(value);
}

// What the rules of a transliterator name, read once per process.
std::optional<icu::UnicodeSet> readRuleCharacters(const char* id) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transliterator(
        icu::Transliterator::createInstance(icu::UnicodeString(id, -1, US_INV), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !transliterator)
        return std::nullopt;
    return charactersOfRules(*transliterator);
}

// The white space of the regular expression class "\s": the Unicode White_Space property.
bool isPatternSpace(UChar32 c) {
    if (c < 0x80)
        return c == ' ' || (c >= '\t' && c <= '\r');
    return u_hasBinaryProperty(c, UCHAR_WHITE_SPACE) != 0;
}

// The text itself when it is valid UTF-8, else the text with every ill-formed sequence replaced by
// U+FFFD, as the conversion to UTF-16 that every pattern replacement goes through does.
std::string_view repairedUTF8(std::string_view text, std::string& storage) {
    if (UnicodeText::isValidUTF8(text))
        return text;
    storage = UnicodeText::fromICU(UnicodeText::toICU(text));
    return storage;
}

// What replacing every match of "\s*\n\s*" by one space gives: a match starts where a run of white
// space starts and, greedy on both sides, ends where the run ends, so every maximal run that holds a line
// feed becomes one space and every other run stays. One pass, where the pattern scans a run without a
// line feed again from each of its characters.
std::string joinedLines(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    // The length of the white-space character at `i`, or 0 when there is none.
    auto spaceAt = [&](int32_t i) -> int32_t {
        if (bytes[i] < 0x80)
            return isPatternSpace(bytes[i]) ? 1 : 0;
        int32_t next = i;
        UChar32 c = 0;
        U8_NEXT(bytes, next, length, c);
        return c >= 0 && isPatternSpace(c) ? next - i : 0;
    };
    std::string joined;
    joined.reserve(text.size());
    int32_t i = 0;
    while (i < length) {
        const int32_t start = i;
        int32_t size = 0;
        while (i < length && (size = spaceAt(i)) == 0)
            U8_FWD_1(bytes, i, length);
        joined.append(text, static_cast<std::size_t>(start), static_cast<std::size_t>(i - start));
        const int32_t runStart = i;
        bool holdsLineFeed = false;
        while (i < length && (size = spaceAt(i)) > 0) {
            holdsLineFeed = holdsLineFeed || bytes[i] == '\n';
            i += size;
        }
        if (holdsLineFeed)
            joined += ' ';
        else
            joined.append(text, static_cast<std::size_t>(runStart), static_cast<std::size_t>(i - runStart));
    }
    return joined;
}

// What replacing every match of "[ \t]{2,}" by one space gives: every run of two or more spaces and tabs
// becomes one space, a lone space or tab stays.
std::string collapsedSpaceRuns(std::string_view text) {
    std::string collapsed;
    collapsed.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
            ++end;
        if (end - i >= 2) {
            collapsed += ' ';
            i = end;
        } else {
            collapsed += text[i];
            ++i;
        }
    }
    return collapsed;
}

} // namespace

std::string TextCleaner::trimSpaces(std::string_view text) {
    const std::string trimmed = UnicodeText::trimmingWhitespaceAndNewlines(text);
    std::string storage;
    return collapsedSpaceRuns(repairedUTF8(trimmed, storage));
}

std::string TextCleaner::removeLineBreaks(std::string_view text) {
    std::string storage;
    return trimSpaces(joinedLines(repairedUTF8(text, storage)));
}

std::string TextCleaner::mergeBlankLines(std::string_view text) {
    static const IcuRegex blankLines(u"\\n{3,}");
    return replaceAll(text, blankLines, u"\n\n");
}

std::string TextCleaner::addPanguSpacing(std::string_view text) {
    // Replacing "(C)(L)" by "$1 $2" and then "(L)(C)" by "$1 $2", with C a Han, Hiragana, Katakana or
    // Hangul character and L an ASCII letter or digit: the two classes share no character, so the
    // matches of either pattern never overlap, and the spaces the first inserts neither make nor break a
    // pair for the second. Both come to one space between every C and L that stand side by side, either
    // way round, which one pass inserts.
    static const icu::UnicodeSet cjk = [] {
        UErrorCode status = U_ZERO_ERROR;
        icu::UnicodeSet set(u"[\\p{Han}\\p{Hiragana}\\p{Katakana}\\p{Hangul}]", status);
        set.freeze();
        return set;
    }();
    const icu::UnicodeString value = UnicodeText::toICU(text);
    icu::UnicodeString spaced;
    const int32_t length = value.length();
    bool previousCJK = false;
    bool previousLatin = false;
    for (int32_t i = 0; i < length;) {
        const UChar32 c = value.char32At(i);
        const int32_t size = U16_LENGTH(c);
        const bool latin =
            c < 0x80 && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'));
        const bool isCJK = c >= 0x80 && cjk.contains(c);
        if ((previousCJK && latin) || (previousLatin && isCJK))
            spaced.append(u' ');
        spaced.append(value, i, size);
        previousCJK = isCJK;
        previousLatin = latin;
        i += size;
    }
    return UnicodeText::fromICU(spaced);
}

std::string TextCleaner::toSimplified(std::string_view text) {
    static const std::optional<icu::UnicodeSet> filter = readRuleCharacters("Hant-Hans");
    return transliterate(text, "Hant-Hans", filter);
}

std::string TextCleaner::toTraditional(std::string_view text) {
    static const std::optional<icu::UnicodeSet> filter = readRuleCharacters("Hans-Hant");
    return transliterate(text, "Hans-Hant", filter);
}

} // namespace ondravell
