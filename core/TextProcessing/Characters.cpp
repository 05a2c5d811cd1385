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
//
// Clusters of one code point that the break rules need not be asked about (loneCodePointLength) are
// taken without the break iterator, which is far slower per character; it is asked only from a
// boundary where those rules must decide, and the walk goes on from whatever boundary it gives.
template <typename Visit> void forEachCluster(std::string_view text, Visit visit) {
    if (text.empty())
        return;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    std::unique_ptr<icu::BreakIterator> iterator;
    UText* utext = nullptr;
    bool iteratorFailed = false;
    int32_t start = 0;
    while (start < length) {
        int32_t end = start + static_cast<int32_t>(
                                  Characters::loneCodePointLength(text, static_cast<std::size_t>(start)));
        if (end == start) {
            if (!iterator && !iteratorFailed) {
                UErrorCode status = U_ZERO_ERROR;
                iterator.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
                utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
                if (U_SUCCESS(status) && iterator && utext)
                    iterator->setText(utext, status);
                iteratorFailed = U_FAILURE(status) || !iterator || !utext;
            }
            if (iteratorFailed) {
                // Without break data every code point stands alone.
                end = start;
                U8_FWD_1(bytes, end, length);
            } else {
                // `start` is a boundary, so the next one after it ends its cluster; the iterator keeps
                // its place, and going on from there costs no more than next().
                end = iterator->current() == start ? iterator->next() : iterator->following(start);
                if (end == icu::BreakIterator::DONE || end <= start)
                    end = length;
            }
        }
        if (!visit(static_cast<std::size_t>(start), static_cast<std::size_t>(end)))
            break;
        start = end;
    }
    utext_close(utext);
}

// A cluster none of whose code points changes under any case mapping has no case: upper- and
// lower-casing both leave it as it is. Emoji sequences, ideographs and right-to-left letters with their
// marks are told apart this way without converting them.
bool mayHaveCase(std::string_view character) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(character.data());
    const auto length = static_cast<int32_t>(character.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0 || u_hasBinaryProperty(c, UCHAR_CHANGES_WHEN_CASEMAPPED))
            return true;
    }
    return false;
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

std::size_t Characters::loneCodePointLength(std::string_view text, std::size_t offset) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    auto i = static_cast<int32_t>(offset);
    // Two ASCII characters always have a boundary between them, save a carriage return and a line feed.
    if (bytes[i] < 0x80 && (i + 1 == length || (bytes[i + 1] < 0x80 && bytes[i] != '\r')))
        return 1;
    UChar32 first = 0;
    U8_NEXT(bytes, i, length, first);
    if (first < 0)
        return 0;
    const auto lengthOfFirst = static_cast<std::size_t>(i) - offset;
    if (i == length)
        return lengthOfFirst;
    const auto firstClass = u_getIntPropertyValue(first, UCHAR_GRAPHEME_CLUSTER_BREAK);
    if (firstClass == U_GCB_CONTROL || firstClass == U_GCB_LF)
        return lengthOfFirst;
    if (firstClass != U_GCB_OTHER)
        return 0;
    UChar32 second = 0;
    U8_NEXT(bytes, i, length, second);
    if (second < 0)
        return 0;
    const auto secondClass = u_getIntPropertyValue(second, UCHAR_GRAPHEME_CLUSTER_BREAK);
    if (secondClass == U_GCB_EXTEND || secondClass == U_GCB_ZWJ || secondClass == U_GCB_SPACING_MARK)
        return 0;
    return lengthOfFirst;
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
    if (character.size() == 1)
        return character[0] >= 'A' && character[0] <= 'Z';
    if (isSingleCodePoint(character))
        return u_hasBinaryProperty(static_cast<UChar32>(firstCodePoint(character)), UCHAR_UPPERCASE);
    if (!mayHaveCase(character))
        return false;
    return UnicodeText::uppercased(character) == character && UnicodeText::lowercased(character) != character;
}

bool Characters::isLowercase(std::string_view character) {
    if (character.empty())
        return false;
    if (character.size() == 1)
        return character[0] >= 'a' && character[0] <= 'z';
    if (isSingleCodePoint(character))
        return u_hasBinaryProperty(static_cast<UChar32>(firstCodePoint(character)), UCHAR_LOWERCASE);
    if (!mayHaveCase(character))
        return false;
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
