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

    // True when the cluster that starts at `offset` (a cluster boundary) is one ASCII character: an
    // ASCII character followed by another or by the end, save a carriage return before a line feed.
    // No ASCII character extends a cluster or is extended by the next, so no break rules are needed.
    static bool startsLoneAscii(std::string_view text, std::size_t offset) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        return byte(offset) < 0x80 &&
               (offset + 1 == text.size() ||
                (byte(offset + 1) < 0x80 && !(byte(offset) == '\r' && byte(offset + 1) == '\n')));
    }

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
