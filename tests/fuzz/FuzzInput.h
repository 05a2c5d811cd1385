#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The fuzzer's bytes as text; properties that fail stop the run with a crash report.
inline std::string_view fuzzText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

#define FUZZ_REQUIRE(condition)                                                                              \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            __builtin_trap();                                                                                \
    } while (false)
