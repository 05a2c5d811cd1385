#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace ondravell {

// The case of a string enumeration whose stored text is `raw` (exact, case-sensitive match); nullopt for
// a text that names no case. `rawValue` maps a case to its text.
template <class Enum, std::size_t N, class RawValue>
std::optional<Enum> caseNamed(const std::array<Enum, N>& allCases, RawValue rawValue, std::string_view raw) {
    for (Enum value : allCases)
        if (rawValue(value) == raw)
            return value;
    return std::nullopt;
}

} // namespace ondravell
