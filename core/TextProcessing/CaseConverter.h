#pragma once

#include "core/TextProcessing/NamingStyle.h"

#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// Rewrites an identifier or phrase in another naming style. Words are split at "_", "-", " ", "."
// and "/", before an upper-case character that follows a lower-case one or a digit, and before the
// last capital of an acronym ("XMLParser" gives "XML", "Parser").
struct CaseConverter {
    static std::vector<std::string> tokenize(std::string_view text);
    // `locale` is an ICU locale identifier ("tr_TR", "en"); every case mapping follows it.
    static std::string convert(std::string_view text, NamingStyle style, std::string_view locale);
};

} // namespace ondravell
