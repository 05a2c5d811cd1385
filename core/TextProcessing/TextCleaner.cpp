#include "core/TextProcessing/TextCleaner.h"

#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/IcuRegex.h"

#include <memory>
#include <unicode/translit.h>

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

} // namespace

std::string TextCleaner::trimSpaces(std::string_view text) {
    static const IcuRegex spaceRuns(u"[ \\t]{2,}");
    return replaceAll(UnicodeText::trimmingWhitespaceAndNewlines(text), spaceRuns, u" ");
}

std::string TextCleaner::removeLineBreaks(std::string_view text) {
    static const IcuRegex lineBreaks(u"\\s*\\n\\s*");
    return trimSpaces(replaceAll(text, lineBreaks, u" "));
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
