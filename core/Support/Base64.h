#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks).
struct Base64 {
    static std::string encode(std::string_view bytes);
    // Strict: the length is a multiple of four, every character is in the alphabet, padding only at
    // the end. Anything else (white space and line breaks included) gives nullopt.
    static std::optional<std::string> decode(std::string_view text);
};

} // namespace ondravell
