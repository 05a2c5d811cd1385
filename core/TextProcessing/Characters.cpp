#include "core/TextProcessing/Characters.h"

#include "core/Support/UnicodeText.h"

#include <memory>
#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

namespace ondravell {
namespace {

// Walks the cluster boundaries of `text` (byte offsets), calling visit(start, end) until it returns false.
template <typename Visit> void forEachCluster(std::string_view text, Visit visit) {
    if (text.empty())
        return;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    if (U_FAILURE(status) || !iterator || !utext) {
        utext_close(utext);
        // Without break data every code point stands alone.
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
        const auto length = static_cast<int32_t>(text.size());
        for (int32_t i = 0; i < length;) {
            int32_t start = i;
            U8_FWD_1(bytes, i, length);
            if (!visit(static_cast<std::size_t>(start), static_cast<std::size_t>(i)))
                return;
        }
        return;
    }
    iterator->setText(utext, status);
    int32_t start = iterator->first();
    for (int32_t end = iterator->next(); end != icu::BreakIterator::DONE; end = iterator->next()) {
        if (!visit(static_cast<std::size_t>(start), static_cast<std::size_t>(end)))
            break;
        start = end;
    }
    utext_close(utext);
}

bool isSingleCodePoint(std::string_view character) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(character.data());
    const auto length = static_cast<int32_t>(character.size());
    int32_t i = 0;
    U8_FWD_1(bytes, i, length);
    return i == length;
}

} // namespace

void Characters::forEach(std::string_view text, const std::function<bool(std::string_view)>& visit) {
    forEachCluster(
        text, [&](std::size_t start, std::size_t end) { return visit(text.substr(start, end - start)); });
}

std::vector<std::string_view> Characters::split(std::string_view text) {
    std::vector<std::string_view> clusters;
    clusters.reserve(text.size());
    forEachCluster(text, [&](std::size_t start, std::size_t end) {
        clusters.push_back(text.substr(start, end - start));
        return true;
    });
    return clusters;
}

std::size_t Characters::countUpTo(std::string_view text, std::size_t limit) {
    std::size_t count = 0;
    forEachCluster(text, [&](std::size_t, std::size_t) { return ++count <= limit; });
    return count;
}

char32_t Characters::firstCodePoint(std::string_view character) {
    if (character.empty())
        return 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(character.data());
    int32_t i = 0;
    UChar32 c;
    U8_NEXT(bytes, i, static_cast<int32_t>(character.size()), c);
    return c < 0 ? U'\uFFFD' : static_cast<char32_t>(c);
}

bool Characters::isUppercase(std::string_view character) {
    if (character.empty())
        return false;
    if (isSingleCodePoint(character))
        return u_hasBinaryProperty(static_cast<UChar32>(firstCodePoint(character)), UCHAR_UPPERCASE);
    return UnicodeText::uppercased(character) == character && UnicodeText::lowercased(character) != character;
}

bool Characters::isLowercase(std::string_view character) {
    if (character.empty())
        return false;
    if (isSingleCodePoint(character))
        return u_hasBinaryProperty(static_cast<UChar32>(firstCodePoint(character)), UCHAR_LOWERCASE);
    return UnicodeText::lowercased(character) == character && UnicodeText::uppercased(character) != character;
}

bool Characters::isNumber(std::string_view character) {
    if (character.empty())
        return false;
    const auto c = static_cast<UChar32>(firstCodePoint(character));
    return u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

bool Characters::isLetter(std::string_view character) {
    if (character.empty())
        return false;
    return (U_GET_GC_MASK(static_cast<UChar32>(firstCodePoint(character))) & U_GC_L_MASK) != 0;
}

} // namespace ondravell
