#pragma once

namespace ondravell::Ascii {

// ASCII classification that never consults the C locale.
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isAlphanumeric(char c) {
    return isAlpha(c) || isDigit(c);
}
// The value of a hexadecimal digit, or -1.
constexpr int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
constexpr bool isHexDigit(char c) {
    return hexValue(c) >= 0;
}

} // namespace ondravell::Ascii
