#include "core/TextProcessing/TextInspector.h"

#include "core/Support/Numbers.h"
#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/Ascii.h"
#include "core/TextProcessing/Characters.h"
#include "core/TextProcessing/IcuRegex.h"
#include "core/TextProcessing/TextLimits.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace ondravell {
namespace {

bool isLineBreak(char32_t c) {
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isCJK(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3040 && c <= 0x30FF) || (c >= 0xAC00 && c <= 0xD7AF);
}

// Calls visit(codePoint) for each code point; invalid bytes read as U+FFFD.
template <typename Visit> void forEachCodePoint(std::string_view text, Visit visit) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        visit(static_cast<char32_t>(c < 0 ? 0xFFFD : c));
    }
}

// A CR LF pair is one break, as a reader sees it.
std::int64_t countLines(std::string_view text) {
    if (text.empty())
        return 0;
    std::int64_t breaks = 0;
    char32_t previous = 0;
    forEachCodePoint(text, [&](char32_t c) {
        if (isLineBreak(c) && !(c == U'\n' && previous == U'\r'))
            ++breaks;
        previous = c;
    });
    return breaks + 1;
}

struct ParsedURL {
    std::string text;   // ASCII, characters beyond ASCII percent-encoded
    std::string scheme; // lower case
};

// Reads a URL with a scheme: the characters of RFC 3986 with well-formed percent escapes, plus
// characters beyond ASCII other than white space, which are percent-encoded as a browser would.
std::optional<ParsedURL> parseURL(std::string_view text) {
    constexpr std::string_view allowedPunctuation = "-._~:/?#[]@!$&'()*+,;=";
    constexpr std::string_view hex = "0123456789ABCDEF";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    ParsedURL url;
    for (int32_t i = 0; i < length;) {
        const char c = text[static_cast<std::size_t>(i)];
        if (Ascii::isAlphanumeric(c) || allowedPunctuation.find(c) != std::string_view::npos) {
            url.text += c;
            ++i;
        } else if (c == '%') {
            if (i + 2 >= length || !Ascii::isHexDigit(text[static_cast<std::size_t>(i) + 1]) ||
                !Ascii::isHexDigit(text[static_cast<std::size_t>(i) + 2]))
                return std::nullopt;
            url.text += text.substr(static_cast<std::size_t>(i), 3);
            i += 3;
        } else {
            const int32_t start = i;
            UChar32 decoded;
            U8_NEXT(bytes, i, length, decoded);
            if (decoded < 0x80 || UnicodeText::isWhitespaceOrNewline(static_cast<char32_t>(decoded)) ||
                u_iscntrl(decoded))
                return std::nullopt;
            for (int32_t k = start; k < i; ++k) {
                url.text += '%';
                url.text += hex[bytes[k] >> 4];
                url.text += hex[bytes[k] & 0xF];
            }
        }
    }
    const auto colon = url.text.find(':');
    if (colon == std::string::npos || colon == 0 || !Ascii::isAlpha(url.text.front()))
        return std::nullopt;
    for (char c : std::string_view(url.text).substr(0, colon)) {
        if (!Ascii::isAlphanumeric(c) && c != '+' && c != '-' && c != '.')
            return std::nullopt;
    }
    url.scheme = UnicodeText::lowercased(url.text.substr(0, colon));
    return url;
}

std::optional<std::string> webAddress(const std::string& t) {
    if (auto url = parseURL(t);
        url && (url->scheme == "http" || url->scheme == "https" || url->scheme == "ftp"))
        return url->text;
    if (UnicodeText::lowercased(t).rfind("www.", 0) == 0 && t.find(' ') == std::string::npos) {
        if (auto url = parseURL("https://" + t))
            return url->text;
    }
    return std::nullopt;
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home ? std::string(home) : std::string();
}

std::optional<std::string> existingPath(const std::string& t) {
    if (t.empty() || (t.front() != '/' && t.front() != '~'))
        return std::nullopt;
    std::string path = t;
    if (t.front() == '~') {
        // Only the user's own home folder is expanded; anything else would be a relative path.
        const std::string home = homeFolder();
        if (home.empty() || (t != "~" && t.rfind("~/", 0) != 0))
            return std::nullopt;
        path = home + t.substr(1);
    }
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(path), error))
        return std::nullopt;
    return path;
}

std::optional<TextInspector::Date> unixTimestamp(const icu::UnicodeString& unicode, const std::string& t) {
    static const IcuRegex digits(u"\\d{10}(\\d{3})?");
    if (!digits.matchesWhole(unicode))
        return std::nullopt;
    auto value = Numbers::parseDouble(t);
    if (!value)
        return std::nullopt;
    const double seconds = t.size() == 13 ? *value / 1000 : *value;
    if (seconds < TextLimits::earliestTimestampSeconds || seconds > TextLimits::latestTimestampSeconds)
        return std::nullopt;
    return TextInspector::Date(std::chrono::duration<double>(seconds));
}

bool looksArithmetic(const icu::UnicodeString& unicode, const std::string& t) {
    static const IcuRegex expression(u"[\\d\\s\\+\\-\\*/\\(\\)\\.%\\^]+");
    if (Characters::countUpTo(t, TextLimits::maxArithmeticCharacters) > TextLimits::maxArithmeticCharacters)
        return false;
    if (t.find_first_of("+-*/^%") == std::string::npos || !expression.matchesWhole(unicode))
        return false;
    bool hasDigit = false;
    forEachCodePoint(t, [&](char32_t c) { hasDigit = hasDigit || u_isdigit(static_cast<UChar32>(c)); });
    return hasDigit;
}

std::optional<TextInspector::Color> parseHexColor(std::string_view hex) {
    int values[6];
    for (std::size_t i = 0; i < hex.size(); ++i) {
        if (!Ascii::isHexDigit(hex[i]))
            return std::nullopt;
        if (i < 6)
            values[i] = Ascii::hexValue(hex[i]);
    }
    if (hex.size() == 6)
        return TextInspector::Color{(values[0] * 16 + values[1]) / 255.0,
                                    (values[2] * 16 + values[3]) / 255.0,
                                    (values[4] * 16 + values[5]) / 255.0};
    if (hex.size() == 3)
        return TextInspector::Color{values[0] * 17 / 255.0, values[1] * 17 / 255.0, values[2] * 17 / 255.0};
    return std::nullopt;
}

std::optional<TextInspector::Color> parseRGBFunction(const icu::UnicodeString& text) {
    static const IcuRegex rgb(u"^rgba?\\(\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})");
    auto matched = rgb.prefixMatch(text);
    if (!matched)
        return std::nullopt;
    // Cut at every character that is not a decimal digit; pieces holding digits of other scripts
    // do not read as integers and drop out.
    std::vector<std::int64_t> numbers;
    std::string piece;
    bool foreignDigits = false;
    auto flush = [&] {
        if (!piece.empty() && !foreignDigits)
            numbers.push_back(*Numbers::parseInt64(piece));
        piece.clear();
        foreignDigits = false;
    };
    forEachCodePoint(UnicodeText::fromICU(*matched), [&](char32_t c) {
        if (c >= U'0' && c <= U'9')
            piece += static_cast<char>(c);
        else if (u_isdigit(static_cast<UChar32>(c)))
            foreignDigits = true;
        else
            flush();
    });
    flush();
    if (numbers.size() < 3 || numbers[0] > 255 || numbers[1] > 255 || numbers[2] > 255)
        return std::nullopt;
    return TextInspector::Color{numbers[0] / 255.0, numbers[1] / 255.0, numbers[2] / 255.0};
}

// Spaces and tabs (horizontal white space), not line breaks.
bool isHorizontalSpace(char32_t c) {
    return u_isblank(static_cast<UChar32>(c)) != 0;
}

} // namespace

TextInspector::Counts TextInspector::count(std::string_view text) {
    Counts counts;
    std::string kept;
    bool inWord = false;
    Characters::forEach(text, [&](std::string_view character) {
        ++counts.characters;
        const char32_t first = Characters::firstCodePoint(character);
        if (!UnicodeText::isWhitespaceOrNewline(first) && !isLineBreak(first))
            kept += character;
        if (Characters::isLetter(character) || Characters::isNumber(character)) {
            if (!inWord && Characters::isLetter(character) && first < 0x2E80)
                ++counts.latinWords;
            inWord = true;
        } else {
            inWord = false;
        }
        return true;
    });
    // Removing a space can join a combining mark after it to the character before.
    counts.charactersNoSpace = static_cast<std::int64_t>(UnicodeText::graphemeCount(kept));
    forEachCodePoint(text, [&](char32_t c) { counts.cjkCharacters += isCJK(c) ? 1 : 0; });
    counts.lines = countLines(text);
    return counts;
}

std::vector<TextInspector::Detected> TextInspector::detect(std::string_view text) {
    const std::string t = UnicodeText::trimmingWhitespaceAndNewlines(text);
    if (t.empty() ||
        Characters::countUpTo(t, TextLimits::maxDetectCharacters) > TextLimits::maxDetectCharacters)
        return {};
    const icu::UnicodeString unicode = UnicodeText::toICU(t);
    std::vector<Detected> found;
    if (auto url = webAddress(t))
        found.push_back(Detected::url(std::move(*url)));
    static const IcuRegex emailAddress(u"^[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}$");
    if (emailAddress.matchesWhole(unicode))
        found.push_back(Detected::email(t));
    if (auto path = existingPath(t))
        found.push_back(Detected::filePath(std::move(*path)));
    if (auto color = parseColor(t))
        found.push_back(Detected::hexColor(*color));
    if (auto date = unixTimestamp(unicode, t))
        found.push_back(Detected::unixTimestamp(*date));
    if (looksArithmetic(unicode, t))
        found.push_back(Detected::arithmetic());
    return found;
}

std::optional<TextInspector::Color> TextInspector::parseColor(std::string_view text) {
    const std::string_view trimmed = UnicodeText::trimming(text, isHorizontalSpace);
    if (!trimmed.empty() && trimmed.front() == '#')
        return parseHexColor(trimmed.substr(1));
    return parseRGBFunction(UnicodeText::toICU(trimmed));
}

} // namespace ondravell
