#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unicode/unistr.h>

namespace ondravell {

// Unicode helpers on ICU for UTF-8 text. Invalid UTF-8 sequences are read as U+FFFD.
struct UnicodeText {
    static icu::UnicodeString toICU(std::string_view utf8);
    static std::string fromICU(const icu::UnicodeString& text);

    static bool isValidUTF8(std::string_view text);
    // True for the characters that count as white space or line breaks: the Unicode White_Space
    // property (tab, LF, VT, FF, CR, space, U+0085, U+00A0, U+1680, U+2000..U+200A, U+2028, U+2029,
    // U+202F, U+205F, U+3000).
    static bool isWhitespaceOrNewline(char32_t c);
    // Removes those characters at both ends.
    static std::string trimmingWhitespaceAndNewlines(std::string_view text);
    // Removes the code points for which `trimmed` holds at both ends; an invalid byte stops the trim.
    static std::string_view trimming(std::string_view text, bool (*trimmed)(char32_t));
    // Full case mapping, independent of the user's locale ("ß" upper-cases to "SS").
    static std::string lowercased(std::string_view text);
    static std::string uppercased(std::string_view text);
    // Number of user-perceived characters (extended grapheme clusters).
    static std::size_t graphemeCount(std::string_view text);
    // Whether `text` has more than `limit` user-perceived characters; reads only as far as it must, so
    // a text of many megabytes costs no more than its first `limit` characters.
    static bool hasMoreGraphemesThan(std::string_view text, std::size_t limit);
};

} // namespace ondravell
