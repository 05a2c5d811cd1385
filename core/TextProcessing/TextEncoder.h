#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// Encodings offered for a selected text. Every byte-level step works on the UTF-8 bytes, and decoders
// return text only when the decoded bytes are valid UTF-8.
struct TextEncoder {
    // RFC 4648 with "=" padding; the URL-safe form uses "-" and "_" and drops the padding.
    static std::string base64Encode(std::string_view text, bool urlSafe);
    // Either alphabet, padding optional; white space, stray characters or misplaced padding fail.
    static std::optional<std::string> base64Decode(std::string_view text);
    // Every code point outside the letters, marks and numbers as %XX of its UTF-8 bytes; text that is
    // not valid UTF-8 comes back unchanged.
    static std::string urlEncode(std::string_view text);
    // "%" must be followed by two hexadecimal digits; "+" stays "+".
    static std::optional<std::string> urlDecode(std::string_view text);
    // & < > " ' wherever they occur, combining marks after them included.
    static std::string htmlEscape(std::string_view text);
    // Code points above U+007F as "\u{XXXX}" in upper-case hexadecimal.
    static std::string unicodeEscape(std::string_view text);
};

} // namespace ondravell
