#include "core/TextProcessing/JsonDocument.h"

#include "core/TextProcessing/Ascii.h"
#include "core/TextProcessing/TextLimits.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unicode/utf8.h>

namespace ondravell {
namespace {

// Bytes that a string may hold as they are: printable ASCII other than the quote and the backslash.
constexpr std::array<bool, 256> makePlainStringBytes() {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c)
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}
constexpr auto plainStringBytes = makePlainStringBytes();

void appendUTF8(std::string& out, char32_t c) {
    char buffer[4];
    int32_t length = 0;
    U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(buffer), length, static_cast<UChar32>(c));
    out.append(buffer, static_cast<std::size_t>(length));
}

} // namespace

class JsonParser {
public:
    JsonParser(std::string_view text, JsonDocument& document) : text_(text), document_(document) {}

    bool parseDocument() {
        skipWhiteSpace();
        if (!value(0))
            return false;
        skipWhiteSpace();
        return position_ == text_.size();
    }

private:
    using Kind = JsonDocument::Kind;

    char peek() const { return position_ < text_.size() ? text_[position_] : '\0'; }

    void skipWhiteSpace() {
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
                return;
            ++position_;
        }
    }

    std::uint32_t push(Kind kind, std::size_t offset, std::size_t length, bool decoded = false) {
        auto& nodes = document_.nodes_;
        const auto index = static_cast<std::uint32_t>(nodes.size());
        nodes.push_back({kind, decoded, index + 1, static_cast<std::uint32_t>(offset),
                         static_cast<std::uint32_t>(length)});
        return index;
    }

    void close(std::uint32_t container) {
        document_.nodes_[container].end = static_cast<std::uint32_t>(document_.nodes_.size());
    }

    bool value(int depth) {
        switch (peek()) {
        case '{':
            return object(depth + 1);
        case '[':
            return array(depth + 1);
        case '"':
            return string();
        case 't':
            return literal("true", Kind::boolTrue);
        case 'f':
            return literal("false", Kind::boolFalse);
        case 'n':
            return literal("null", Kind::null);
        default:
            return number();
        }
    }

    bool literal(std::string_view word, Kind kind) {
        if (text_.substr(position_, word.size()) != word)
            return false;
        push(kind, position_, word.size());
        position_ += word.size();
        return true;
    }

    bool digits() {
        const std::size_t start = position_;
        while (position_ < text_.size() && Ascii::isDigit(text_[position_]))
            ++position_;
        return position_ > start;
    }

    bool number() {
        const std::size_t start = position_;
        if (peek() == '-')
            ++position_;
        if (peek() == '0')
            ++position_;
        else if (!digits())
            return false;
        if (peek() == '.') {
            ++position_;
            if (!digits())
                return false;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++position_;
            if (peek() == '+' || peek() == '-')
                ++position_;
            if (!digits())
                return false;
        }
        push(Kind::number, start, position_ - start);
        return true;
    }

    bool object(int depth) { return container(Kind::object, '}', depth); }
    bool array(int depth) { return container(Kind::array, ']', depth); }

    bool container(Kind kind, char closing, int depth) {
        if (depth > TextLimits::maxJSONNesting)
            return false;
        const auto index = push(kind, position_, 0);
        ++position_;
        skipWhiteSpace();
        if (peek() == closing) {
            ++position_;
            return true;
        }
        for (;;) {
            if (!(kind == Kind::object ? member(depth) : value(depth)))
                return false;
            skipWhiteSpace();
            const char next = peek();
            ++position_;
            if (next == closing)
                break;
            if (next != ',')
                return false;
            skipWhiteSpace();
        }
        close(index);
        return true;
    }

    bool member(int depth) {
        if (peek() != '"' || !string())
            return false;
        skipWhiteSpace();
        if (peek() != ':')
            return false;
        ++position_;
        skipWhiteSpace();
        return value(depth);
    }

    // Finds the closing quote, checking escapes, control characters and UTF-8 on the way; a string
    // with escapes is then decoded into the document's side buffer.
    bool string() {
        const std::size_t start = ++position_;
        bool escaped = false;
        const auto* bytes = reinterpret_cast<const uint8_t*>(text_.data());
        const std::size_t size = text_.size();
        while (position_ < size) {
            const uint8_t c = bytes[position_];
            if (plainStringBytes[c]) {
                ++position_;
            } else if (c == '"') {
                break;
            } else if (c == '\\') {
                if (!skipEscape())
                    return false;
                escaped = true;
            } else if (c < 0x20) {
                return false;
            } else {
                auto i = static_cast<int32_t>(position_);
                UChar32 decoded;
                U8_NEXT(bytes, i, static_cast<int32_t>(size), decoded);
                if (decoded < 0)
                    return false;
                position_ = static_cast<std::size_t>(i);
            }
        }
        if (position_ >= size)
            return false;
        const std::string_view raw = text_.substr(start, position_ - start);
        ++position_;
        if (!escaped) {
            push(Kind::string, start, raw.size());
            return true;
        }
        const std::size_t offset = document_.decoded_.size();
        if (!decode(raw, document_.decoded_))
            return false;
        push(Kind::string, offset, document_.decoded_.size() - offset, true);
        return true;
    }

    bool skipEscape() {
        if (position_ + 1 >= text_.size())
            return false;
        const char kind = text_[position_ + 1];
        if (kind == 'u') {
            if (position_ + 6 > text_.size())
                return false;
            for (std::size_t k = 2; k < 6; ++k) {
                if (Ascii::hexValue(text_[position_ + k]) < 0)
                    return false;
            }
            position_ += 6;
            return true;
        }
        if (std::string_view("\"\\/bfnrt").find(kind) == std::string_view::npos)
            return false;
        position_ += 2;
        return true;
    }

    static char32_t hex4(std::string_view text, std::size_t at) {
        char32_t value = 0;
        for (std::size_t k = 0; k < 4; ++k)
            value = value * 16 + static_cast<char32_t>(Ascii::hexValue(text[at + k]));
        return value;
    }

    // Escapes are known to be well formed; only surrogates still need pairing.
    static bool decode(std::string_view raw, std::string& out) {
        for (std::size_t i = 0; i < raw.size();) {
            if (raw[i] != '\\') {
                out += raw[i++];
                continue;
            }
            const char kind = raw[i + 1];
            if (kind != 'u') {
                constexpr std::string_view from = "\"\\/bfnrt";
                constexpr std::string_view to = "\"\\/\b\f\n\r\t";
                out += to[from.find(kind)];
                i += 2;
                continue;
            }
            char32_t c = hex4(raw, i + 2);
            i += 6;
            if (c >= 0xDC00 && c <= 0xDFFF)
                return false;
            if (c >= 0xD800 && c <= 0xDBFF) {
                if (i + 6 > raw.size() || raw[i] != '\\' || raw[i + 1] != 'u')
                    return false;
                const char32_t low = hex4(raw, i + 2);
                if (low < 0xDC00 || low > 0xDFFF)
                    return false;
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 6;
            }
            appendUTF8(out, c);
        }
        return true;
    }

    std::string_view text_;
    JsonDocument& document_;
    std::size_t position_ = 0;
};

std::optional<JsonDocument> JsonDocument::parse(std::string_view text) {
    if (text.size() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    JsonDocument document;
    document.source_ = text;
    // Every value takes at least two bytes of text but for the innermost of nested containers, so this
    // is never outgrown; pages beyond the nodes actually stored are never touched.
    document.nodes_.reserve(text.size() / 2 + TextLimits::maxJSONNesting + 1);
    if (!JsonParser(text, document).parseDocument())
        return std::nullopt;
    return document;
}

} // namespace ondravell
