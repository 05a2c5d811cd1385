#pragma once

#include <cstddef>

namespace ondravell::TextLimits {

// The inspector runs on every selection; longer texts are not worth recognising.
inline constexpr std::size_t maxDetectCharacters = 2048;
inline constexpr std::size_t maxArithmeticCharacters = 128;

// Unix times outside these bounds (1990-01-01 and 2100-01-01, UTC) are more likely plain numbers.
inline constexpr double earliestTimestampSeconds = 631152000;
inline constexpr double latestTimestampSeconds = 4102444800;

// Deeper nesting than any hand-written expression keeps hostile input off the end of the stack.
inline constexpr int maxCalculatorNesting = 200;
// The same bound the platform's JSON reader keeps for arrays and objects.
inline constexpr int maxJSONNesting = 512;

// Integral results below this magnitude are written as integers.
inline constexpr double maxIntegralResult = 1e15;

} // namespace ondravell::TextLimits
