#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// Evaluates a short arithmetic expression: decimal numbers, + - * / % ^, unary signs and parentheses.
// A unary sign binds tighter than "^" (-2^2 is 4) and "^" associates to the right (2^3^2 is 512).
// Only U+0020 counts as a space. Malformed input, division by zero, a non-finite value or nesting
// deeper than TextLimits::maxCalculatorNesting give no result.
struct Calculator {
    static std::optional<double> evaluate(std::string_view text);
    // Integral values below 1e15 in magnitude as integers ("42"), everything else like "%.10g".
    static std::optional<std::string> evaluateFormatted(std::string_view text);
};

} // namespace ondravell
