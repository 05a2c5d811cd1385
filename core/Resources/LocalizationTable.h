#pragma once

#include <span>
#include <string_view>

namespace ondravell {

// One translation of a user-visible text. The key is the Simplified Chinese text itself (with "%lld" and
// "%@" where values go); `language` is a POSIX language tag such as "en" or "zh_TW".
struct LocalizationEntry {
    std::string_view language;
    std::string_view key;
    std::string_view text;
};

// The translations compiled into the core library. Chinese needs none: its texts are the keys.
std::span<const LocalizationEntry> localizationTable();

} // namespace ondravell
