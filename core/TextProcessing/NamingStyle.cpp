#include "core/TextProcessing/NamingStyle.h"

namespace ondravell {

std::string_view rawValue(NamingStyle style) {
    switch (style) {
    case NamingStyle::camelCase:
        return "camelCase";
    case NamingStyle::pascalCase:
        return "pascalCase";
    case NamingStyle::snakeCase:
        return "snakeCase";
    case NamingStyle::kebabCase:
        return "kebabCase";
    case NamingStyle::constantCase:
        return "constantCase";
    case NamingStyle::titleCase:
        return "titleCase";
    case NamingStyle::lower:
        return "lower";
    case NamingStyle::upper:
        return "upper";
    case NamingStyle::capitalized:
        return "capitalized";
    }
    return {};
}

std::optional<NamingStyle> namingStyleFromRawValue(std::string_view raw) {
    for (NamingStyle style : allNamingStyles) {
        if (rawValue(style) == raw)
            return style;
    }
    return std::nullopt;
}

} // namespace ondravell
