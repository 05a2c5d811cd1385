#include "core/TextProcessing/TextEncoder.h"

#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/Ascii.h"

#include <array>
#include <cstdint>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace ondravell {
namespace {

constexpr std::string_view base64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view upperHexDigits = "0123456789ABCDEF";

constexpr std::array<int8_t, 256> makeBase64Values() {
    std::array<int8_t, 256> values{};
    for (auto& value : values)
        value = -1;
    for (std::size_t i = 0; i < base64Alphabet.size(); ++i)
        values[static_cast<unsigned char>(base64Alphabet[i])] = static_cast<int8_t>(i);
    return values;
}
constexpr auto base64Values = makeBase64Values();

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
    const std::string_view alphabet = base64Alphabet;
    std::string out;
    out.reserve((text.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= text.size(); i += 3) {
        const uint32_t group = (static_cast<unsigned char>(text[i]) << 16) |
                               (static_cast<unsigned char>(text[i + 1]) << 8) |
                               static_cast<unsigned char>(text[i + 2]);
        out += alphabet[(group >> 18) & 63];
        out += alphabet[(group >> 12) & 63];
        out += alphabet[(group >> 6) & 63];
        out += alphabet[group & 63];
    }
    const std::size_t rest = text.size() - i;
    if (rest > 0) {
        uint32_t group = static_cast<unsigned char>(text[i]) << 16;
        if (rest == 2)
            group |= static_cast<unsigned char>(text[i + 1]) << 8;
        out += alphabet[(group >> 18) & 63];
        out += alphabet[(group >> 12) & 63];
        out += rest == 2 ? alphabet[(group >> 6) & 63] : '=';
        out += '=';
    }
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
    std::string bytes;
    bytes.reserve(input.size() / 4 * 3);
    for (std::size_t i = 0; i < input.size(); i += 4) {
        const bool last = i + 4 == input.size();
        std::size_t padding = 0;
        uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = input[i + k];
            if (c == '=') {
                // Padding only closes the last group, and only its last one or two places.
                if (!last || k < 2)
                    return std::nullopt;
                ++padding;
                group <<= 6;
                continue;
            }
            const int8_t value = base64Values[static_cast<unsigned char>(c)];
            if (value < 0 || padding > 0)
                return std::nullopt;
            group = (group << 6) | static_cast<uint32_t>(value);
        }
        bytes += static_cast<char>((group >> 16) & 0xFF);
        if (padding < 2)
            bytes += static_cast<char>((group >> 8) & 0xFF);
        if (padding < 1)
            bytes += static_cast<char>(group & 0xFF);
    }
    return validText(std::move(bytes));
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
