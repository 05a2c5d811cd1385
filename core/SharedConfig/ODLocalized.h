#pragma once

#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace ondravell {

// One value put into a localised text: an integer fills a "%lld", a text fills a "%@".
class LocalizedValue {
public:
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) LocalizedValue(T number) {
        // A count beyond the signed range keeps its digits rather than wrapping to a negative number.
        if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(std::int64_t)) {
            if (number > static_cast<T>(INT64_MAX)) {
                value_ = std::to_string(number);
                return;
            }
        }
        value_ = static_cast<std::int64_t>(number);
    }
    LocalizedValue(std::string_view text) : value_(std::string(text)) {}
    LocalizedValue(const std::string& text) : value_(text) {}
    LocalizedValue(const char* text) : value_(std::string(text ? text : "")) {}

    // The value as it appears in the text: decimal digits for an integer, the text itself otherwise.
    std::string text() const;

private:
    std::variant<std::int64_t, std::string> value_;
};

// The text of `key` in the user's language; the key itself when there is no translation. The keys are
// the Simplified Chinese texts, so ODLocalizedKey("复制路径") is "复制路径" in a Chinese session. Never
// fails.
std::string ODLocalizedKey(std::string_view key);

// Fills the placeholders of a format with `values`, in order: "%lld" and "%@" take the next value,
// "%1$lld" and "%2$@" name one by position (translations may reorder them), "%%" is a percent sign.
// A placeholder without a value and any other "%" sequence stay as they are; surplus values are ignored.
std::string ODFormatLocalized(std::string_view format, std::span<const LocalizedValue> values);

// The text of `key` in the user's language with the values filled in:
// ODLocalized("已复制 %lld 个路径", 3) is "已复制 3 个路径" when there is no translation.
std::string ODLocalizedFormat(std::string_view key, std::span<const LocalizedValue> values);

inline std::string ODLocalized(std::string_view key) {
    return ODLocalizedFormat(key, {});
}

template <class... Values> std::string ODLocalized(std::string_view key, const Values&... values) {
    const LocalizedValue list[] = {LocalizedValue(values)...};
    return ODLocalizedFormat(key, list);
}

} // namespace ondravell
