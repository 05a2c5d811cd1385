#include "core/SharedConfig/ODLocalized.h"

#include "core/SharedConfig/LocalizationCatalog.h"
#include "core/Support/Numbers.h"

namespace ondravell {

std::string LocalizedValue::text() const {
    if (const auto* number = std::get_if<std::int64_t>(&value_))
        return Numbers::format(*number);
    return std::get<std::string>(value_);
}

namespace {

struct Placeholder {
    std::size_t length = 0;   // bytes from the "%" to the end of the placeholder
    std::size_t position = 0; // 1-based explicit position, 0 when the next value is meant
    bool isPercentSign = false;
};

// Reads a placeholder at format[at] == '%'; length 0 when the sequence is not one we fill.
Placeholder readPlaceholder(std::string_view format, std::size_t at) {
    std::string_view rest = format.substr(at + 1);
    if (rest.starts_with('%'))
        return {2, 0, true};
    Placeholder result;
    std::size_t digits = 0;
    while (digits < rest.size() && digits < 3 && rest[digits] >= '0' && rest[digits] <= '9')
        ++digits;
    if (digits > 0) {
        if (digits >= rest.size() || rest[digits] != '$')
            return {};
        auto position = Numbers::parseInt64(rest.substr(0, digits));
        if (!position || *position == 0)
            return {};
        result.position = static_cast<std::size_t>(*position);
        rest = rest.substr(digits + 1);
        result.length = digits + 1;
    }
    if (rest.starts_with("lld"))
        result.length += 1 + 3;
    else if (rest.starts_with('@'))
        result.length += 1 + 1;
    else
        return {};
    return result;
}

} // namespace

std::string ODFormatLocalized(std::string_view format, std::span<const LocalizedValue> values) {
    std::string out;
    out.reserve(format.size() + 16);
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        auto percent = format.find('%', i);
        if (percent == std::string_view::npos) {
            out.append(format.substr(i));
            break;
        }
        out.append(format.substr(i, percent - i));
        Placeholder placeholder = readPlaceholder(format, percent);
        if (placeholder.length == 0) {
            out.push_back('%');
            i = percent + 1;
            continue;
        }
        i = percent + placeholder.length;
        if (placeholder.isPercentSign) {
            out.push_back('%');
            continue;
        }
        std::size_t index = placeholder.position ? placeholder.position - 1 : next++;
        if (index < values.size())
            out.append(values[index].text());
        else
            out.append(format.substr(percent, placeholder.length));
    }
    return out;
}

std::string ODLocalizedKey(std::string_view key) {
    auto translated = LocalizationCatalog::shared().lookup(key);
    return std::string(translated ? *translated : key);
}

std::string ODLocalizedFormat(std::string_view key, std::span<const LocalizedValue> values) {
    auto translated = LocalizationCatalog::shared().lookup(key);
    return ODFormatLocalized(translated ? *translated : key, values);
}

} // namespace ondravell
