#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/regex.h>
#include <unicode/unistr.h>

namespace ondravell {

// A compiled ICU regular expression. A compiled pattern may be shared between threads; every call
// makes its own matcher.
class IcuRegex {
public:
    explicit IcuRegex(std::u16string_view pattern);

    // True when the pattern matches the whole text.
    bool matchesWhole(const icu::UnicodeString& text) const;
    bool matchesWhole(std::string_view text) const;
    // The part of the text matched at its start (lookingAt), if any.
    std::optional<icu::UnicodeString> prefixMatch(const icu::UnicodeString& text) const;
    // Replaces every non-overlapping match, scanning from the start; "$1" names a group.
    icu::UnicodeString replaceAll(const icu::UnicodeString& text, std::u16string_view replacement) const;

private:
    std::unique_ptr<icu::RegexPattern> pattern_;
};

} // namespace ondravell
