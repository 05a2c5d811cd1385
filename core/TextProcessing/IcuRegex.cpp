#include "core/TextProcessing/IcuRegex.h"

#include "core/Support/UnicodeText.h"

namespace ondravell {
namespace {

icu::UnicodeString toUnicode(std::u16string_view text) {
    return icu::UnicodeString(text.data(), static_cast<int32_t>(text.size()));
}

} // namespace

IcuRegex::IcuRegex(std::u16string_view pattern) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    pattern_.reset(icu::RegexPattern::compile(toUnicode(pattern), parseError, status));
    if (U_FAILURE(status))
        pattern_.reset();
}

bool IcuRegex::matchesWhole(const icu::UnicodeString& text) const {
    if (!pattern_)
        return false;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern_->matcher(text, status));
    if (U_FAILURE(status) || !matcher)
        return false;
    const bool matched = matcher->matches(status);
    return U_SUCCESS(status) && matched;
}

bool IcuRegex::matchesWhole(std::string_view text) const {
    return matchesWhole(UnicodeText::toICU(text));
}

std::optional<icu::UnicodeString> IcuRegex::prefixMatch(const icu::UnicodeString& text) const {
    if (!pattern_)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern_->matcher(text, status));
    if (U_FAILURE(status) || !matcher || !matcher->lookingAt(status) || U_FAILURE(status))
        return std::nullopt;
    icu::UnicodeString matched = matcher->group(status);
    if (U_FAILURE(status))
        return std::nullopt;
    return matched;
}

icu::UnicodeString IcuRegex::replaceAll(const icu::UnicodeString& text,
                                        std::u16string_view replacement) const {
    if (!pattern_)
        return text;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern_->matcher(text, status));
    if (U_FAILURE(status) || !matcher)
        return text;
    icu::UnicodeString result = matcher->replaceAll(toUnicode(replacement), status);
    return U_SUCCESS(status) ? result : text;
}

} // namespace ondravell
