#include "core/TextProcessing/TextCleaner.h"

#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/IcuRegex.h"

#include <memory>
#include <unicode/translit.h>
#include <unicode/uchar.h>

namespace ondravell {
namespace {

std::string replaceAll(std::string_view text, const IcuRegex& regex, std::u16string_view replacement) {
    return UnicodeText::fromICU(regex.replaceAll(UnicodeText::toICU(text), replacement));
}

std::string transliterate(std::string_view text, const char* id) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transliterator(
        icu::Transliterator::createInstance(icu::UnicodeString(id, -1, US_INV), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !transliterator)
        return std::string(text);
    icu::UnicodeString value = UnicodeText::toICU(text);
    transliterator->transliterate(value);
    return UnicodeText::fromICU(value);
}

// The white space of the regular expression class "\s": the Unicode White_Space property.
bool isPatternSpace(UChar32 c) {
    return u_hasBinaryProperty(c, UCHAR_WHITE_SPACE) != 0;
}

// What replacing every match of "\s*\n\s*" by one space gives: a match starts where a run of white
// space starts and, greedy on both sides, ends where the run ends, so every maximal run that holds a line
// feed becomes one space and every other run stays. One pass, where the pattern scans a run without a
// line feed again from each of its characters.
icu::UnicodeString joinedLines(const icu::UnicodeString& text) {
    icu::UnicodeString joined;
    const int32_t length = text.length();
    int32_t i = 0;
    while (i < length) {
        const int32_t start = i;
        while (i < length && !isPatternSpace(text.char32At(i)))
            i = text.moveIndex32(i, 1);
        joined.append(text, start, i - start);
        const int32_t runStart = i;
        bool holdsLineFeed = false;
        while (i < length && isPatternSpace(text.char32At(i))) {
            holdsLineFeed = holdsLineFeed || text.charAt(i) == u'\n';
            i = text.moveIndex32(i, 1);
        }
        if (holdsLineFeed)
            joined.append(u' ');
        else
            joined.append(text, runStart, i - runStart);
    }
    return joined;
}

} // namespace

std::string TextCleaner::trimSpaces(std::string_view text) {
    static const IcuRegex spaceRuns(u"[ \\t]{2,}");
    return replaceAll(UnicodeText::trimmingWhitespaceAndNewlines(text), spaceRuns, u" ");
}

std::string TextCleaner::removeLineBreaks(std::string_view text) {
    return trimSpaces(UnicodeText::fromICU(joinedLines(UnicodeText::toICU(text))));
}

std::string TextCleaner::mergeBlankLines(std::string_view text) {
    static const IcuRegex blankLines(u"\\n{3,}");
    return replaceAll(text, blankLines, u"\n\n");
}

std::string TextCleaner::addPanguSpacing(std::string_view text) {
    static const IcuRegex cjkThenLatin(u"([\\p{Han}\\p{Hiragana}\\p{Katakana}\\p{Hangul}])([A-Za-z0-9])");
    static const IcuRegex latinThenCjk(u"([A-Za-z0-9])([\\p{Han}\\p{Hiragana}\\p{Katakana}\\p{Hangul}])");
    const icu::UnicodeString first = cjkThenLatin.replaceAll(UnicodeText::toICU(text), u"$1 $2");
    return UnicodeText::fromICU(latinThenCjk.replaceAll(first, u"$1 $2"));
}

std::string TextCleaner::toSimplified(std::string_view text) {
    return transliterate(text, "Hant-Hans");
}

std::string TextCleaner::toTraditional(std::string_view text) {
    return transliterate(text, "Hans-Hant");
}

} // namespace ondravell
