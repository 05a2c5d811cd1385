#include "platform/atspi/AccessibleTextRange.h"

#include <algorithm>
#include <cctype>

namespace ondravell::platform {

namespace {

bool blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c) != 0; });
}

} // namespace

// Every byte that does not continue a sequence starts one.
int AccessibleTextRange::characterCount(std::string_view text) {
    return int(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::optional<AccessibleTextRange>
AccessibleTextRange::locate(AccessibleTextRange range, std::string_view rangeText, std::string_view wanted) {
    if (wanted.empty() || range.end - range.start != characterCount(rangeText))
        return std::nullopt;
    std::size_t at = rangeText.find(wanted);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view before = rangeText.substr(0, at), after = rangeText.substr(at + wanted.size());
    if (!blank(before) || !blank(after))
        return std::nullopt;
    int start = range.start + characterCount(before);
    return AccessibleTextRange{start, start + characterCount(wanted)};
}

} // namespace ondravell::platform
