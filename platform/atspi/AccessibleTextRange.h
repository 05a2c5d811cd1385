#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondravell::platform {

// Pure helpers of the accessibility bus's text ranges, whose offsets count characters (code points).
struct AccessibleTextRange {
    int start = 0;
    int end = 0;
    friend bool operator==(const AccessibleTextRange&, const AccessibleTextRange&) = default;

    // The part of the range whose text is `rangeText` that holds `wanted`: the whole range when they
    // are equal, else the first place `wanted` stands in it with only blanks around it (a selection
    // shown trimmed); nullopt when the range does not hold it so.
    // Characters (code points) in UTF-8 `text`.
    static int characterCount(std::string_view text);

    static std::optional<AccessibleTextRange> locate(AccessibleTextRange range, std::string_view rangeText,
                                                     std::string_view wanted);
};

} // namespace ondravell::platform
