#include "core/TextProcessing/Calculator.h"
#include "tests/fuzz/FuzzInput.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzzText(data, size);
    const auto value = ondravell::Calculator::evaluate(text);
    const auto formatted = ondravell::Calculator::evaluateFormatted(text);
    FUZZ_REQUIRE(value.has_value() == formatted.has_value());
    FUZZ_REQUIRE(!value || std::isfinite(*value));
    return 0;
}
