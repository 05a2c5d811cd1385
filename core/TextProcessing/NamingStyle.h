#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace ondravell {

// The naming styles of the case converter, in their display order. The raw values are stable names.
enum class NamingStyle {
    camelCase,
    pascalCase,
    snakeCase,
    kebabCase,
    constantCase,
    titleCase,
    lower,
    upper,
    capitalized,
};

inline constexpr std::array<NamingStyle, 9> allNamingStyles{
    NamingStyle::camelCase, NamingStyle::pascalCase,   NamingStyle::snakeCase,
    NamingStyle::kebabCase, NamingStyle::constantCase, NamingStyle::titleCase,
    NamingStyle::lower,     NamingStyle::upper,        NamingStyle::capitalized,
};

std::string_view rawValue(NamingStyle style);
// Exactly the nine raw values, case-sensitive.
std::optional<NamingStyle> namingStyleFromRawValue(std::string_view raw);

} // namespace ondravell
