#include "core/Support/UnicodeText.h"

#include <memory>
#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

namespace ondravell {

icu::UnicodeString UnicodeText::toICU(std::string_view utf8) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
}

std::string UnicodeText::fromICU(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

bool UnicodeText::isValidUTF8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

bool UnicodeText::isWhitespaceOrNewline(char32_t c) {
    return u_isUWhiteSpace(static_cast<UChar32>(c));
}

std::string UnicodeText::trimmingWhitespaceAndNewlines(std::string_view text) {
    return std::string(trimming(text, isWhitespaceOrNewline));
}

std::string_view UnicodeText::trimming(std::string_view text, bool (*trimmed)(char32_t)) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t start = 0;
    while (start < length) {
        int32_t next = start;
        UChar32 c;
        U8_NEXT(bytes, next, length, c);
        if (c < 0 || !trimmed(static_cast<char32_t>(c)))
            break;
        start = next;
    }
    int32_t end = length;
    while (end > start) {
        int32_t previous = end;
        UChar32 c;
        U8_PREV(bytes, 0, previous, c);
        if (c < 0 || !trimmed(static_cast<char32_t>(c)))
            break;
        end = previous;
    }
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

std::string UnicodeText::lowercased(std::string_view text) {
    icu::UnicodeString value = toICU(text);
    value.toLower(icu::Locale::getRoot());
    return fromICU(value);
}

std::string UnicodeText::uppercased(std::string_view text) {
    icu::UnicodeString value = toICU(text);
    value.toUpper(icu::Locale::getRoot());
    return fromICU(value);
}

std::size_t UnicodeText::graphemeCount(std::string_view text) {
    if (text.empty())
        return 0;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    icu::UnicodeString value = toICU(text);
    if (U_FAILURE(status) || !iterator)
        return static_cast<std::size_t>(value.countChar32());
    iterator->setText(value);
    std::size_t count = 0;
    iterator->first();
    while (iterator->next() != icu::BreakIterator::DONE)
        ++count;
    return count;
}

bool UnicodeText::hasMoreGraphemesThan(std::string_view text, std::size_t limit) {
    // Every character takes at least one byte.
    if (text.size() <= limit)
        return false;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    if (U_FAILURE(status) || !iterator) {
        utext_close(utext);
        return graphemeCount(text) > limit;
    }
    iterator->setText(utext, status);
    std::size_t count = 0;
    iterator->first();
    while (count <= limit && iterator->next() != icu::BreakIterator::DONE)
        ++count;
    utext_close(utext);
    return count > limit;
}

} // namespace ondravell
