#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// Tells the selection toolbar what a selected text is: its counts for the word-count action, and
// whether the whole selection is a link, an e-mail address, an existing path, a colour, a Unix time
// or an arithmetic expression.
struct TextInspector {
    struct Counts {
        std::int64_t characters = 0;        // user-perceived characters
        std::int64_t charactersNoSpace = 0; // characters that are neither white space nor line breaks
        std::int64_t cjkCharacters = 0;     // code points of CJK ideographs, kana and Hangul syllables
        std::int64_t latinWords = 0;        // letter-and-number runs that begin with a letter below U+2E80
        std::int64_t lines = 0;             // line breaks (LF, CR, CR LF, VT, FF, NEL, LS, PS) plus one
        bool operator==(const Counts&) const = default;
    };

    struct Color {
        double r = 0; // components from 0 to 1
        double g = 0;
        double b = 0;
        bool operator==(const Color&) const = default;
    };

    using Date = std::chrono::time_point<std::chrono::system_clock, std::chrono::duration<double>>;

    struct Detected {
        enum class Kind { url, email, filePath, hexColor, unixTimestamp, arithmetic };
        Kind kind = Kind::arithmetic;
        std::string text; // the URL, the e-mail address or the expanded path
        Color color;
        Date date;
        bool operator==(const Detected&) const = default;

        static Detected url(std::string url) { return {Kind::url, std::move(url), {}, {}}; }
        static Detected email(std::string address) { return {Kind::email, std::move(address), {}, {}}; }
        static Detected filePath(std::string path) { return {Kind::filePath, std::move(path), {}, {}}; }
        static Detected hexColor(Color color) { return {Kind::hexColor, {}, color, {}}; }
        static Detected unixTimestamp(Date date) { return {Kind::unixTimestamp, {}, {}, date}; }
        static Detected arithmetic() { return {Kind::arithmetic, {}, {}, {}}; }
    };

    static Counts count(std::string_view text);
    // The findings in the order of Detected::Kind; empty for texts longer than
    // TextLimits::maxDetectCharacters once trimmed.
    static std::vector<Detected> detect(std::string_view text);
    // "#RRGGBB", "#RGB" or "rgb(r, g, b" / "rgba(r, g, b" with components up to 255.
    static std::optional<Color> parseColor(std::string_view text);
};

} // namespace ondravell
