#include "core/TextProcessing/TextEncoder.h"

#include "core/Support/Base64.h"
#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/Ascii.h"

#include <cstdint>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace ondravell {
namespace {

constexpr std::string_view upperHexDigits = "0123456789ABCDEF";

void appendPercentByte(std::string& out, unsigned char byte) {
    out += '%';
    out += upperHexDigits[byte >> 4];
    out += upperHexDigits[byte & 0xF];
}

std::optional<std::string> validText(std::string bytes) {
    if (!UnicodeText::isValidUTF8(bytes))
        return std::nullopt;
    return bytes;
}

} // namespace

std::string TextEncoder::base64Encode(std::string_view text, bool urlSafe) {
    std::string out = Base64::encode(text);
    if (urlSafe) {
        for (char& c : out) {
            if (c == '+')
                c = '-';
            else if (c == '/')
                c = '_';
        }
        while (!out.empty() && out.back() == '=')
            out.pop_back();
    }
    return out;
}

std::optional<std::string> TextEncoder::base64Decode(std::string_view text) {
    std::string input(text);
    for (char& c : input) {
        if (c == '-')
            c = '+';
        else if (c == '_')
            c = '/';
    }
    if (input.size() % 4 != 0)
        input.append(4 - input.size() % 4, '=');
    auto bytes = Base64::decode(input);
    if (!bytes)
        return std::nullopt;
    return validText(std::move(*bytes));
}

std::string TextEncoder::urlEncode(std::string_view text) {
    if (!UnicodeText::isValidUTF8(text))
        return std::string(text);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    std::string out;
    out.reserve(text.size() * 3);
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        const bool keep = (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
        for (int32_t k = start; k < i; ++k) {
            if (keep)
                out += static_cast<char>(bytes[k]);
            else
                appendPercentByte(out, bytes[k]);
        }
    }
    return out;
}

std::optional<std::string> TextEncoder::urlDecode(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            bytes += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = Ascii::hexValue(text[i + 1]);
        const int low = Ascii::hexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return validText(std::move(bytes));
}

std::string TextEncoder::htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string TextEncoder::unicodeEscape(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    std::string out;
    out.reserve(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0)
            c = 0xFFFD;
        if (c <= 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        char digits[8];
        int count = 0;
        for (auto value = static_cast<uint32_t>(c); value != 0; value >>= 4)
            digits[count++] = upperHexDigits[value & 0xF];
        out += "\\u{";
        while (count > 0)
            out += digits[--count];
        out += '}';
    }
    return out;
}

} // namespace ondravell
