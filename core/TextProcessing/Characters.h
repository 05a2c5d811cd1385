#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// User-perceived characters (extended grapheme clusters) of UTF-8 text and the character properties
// the text tools decide by. A cluster of one code point takes that code point's property; see each
// function for longer clusters.
struct Characters {
    // Calls visit(cluster) for each cluster in text order until it returns false.
    static void forEach(std::string_view text, const std::function<bool(std::string_view)>& visit);
    // The clusters in text order, as views into `text`. Invalid UTF-8 bytes form clusters of their own.
    static std::vector<std::string_view> split(std::string_view text);
    // Number of clusters, stopping once `limit` is passed (gives limit + 1 then).
    static std::size_t countUpTo(std::string_view text, std::size_t limit);

    // The length in bytes of the cluster that starts at `offset` (a cluster boundary) when the break
    // rules can be read off its first two code points: one that ends every cluster (a control
    // character, a line feed) or one of no special class that the next does not extend (not a mark, a
    // zero-width joiner or a spacing mark); this covers ASCII, ideographs, most letters and most emoji.
    // 0 when the full break rules must decide (carriage returns, Hangul syllables, regional
    // indicators, prepended marks, anything followed by a mark, bytes that are not UTF-8).
    static std::size_t loneCodePointLength(std::string_view text, std::size_t offset);

    // First code point of a cluster, U+FFFD for invalid UTF-8 and 0 for an empty view.
    static char32_t firstCodePoint(std::string_view character);

    // A cluster is upper case when upper-casing leaves it unchanged and lower-casing changes it, and
    // lower case in the opposite situation.
    static bool isUppercase(std::string_view character);
    static bool isLowercase(std::string_view character);
    // Numeric (any Unicode numeric type) and letter (general category L) by the first code point.
    static bool isNumber(std::string_view character);
    static bool isLetter(std::string_view character);
};

} // namespace ondravell
