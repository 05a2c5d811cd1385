#pragma once

#include <span>
#include <string>
#include <string_view>

namespace ondravell {

// One placeholder of a user-written template ("{name}") and the text it stands for.
struct Placeholder {
    std::string_view token;
    std::string_view value;
};

// Replaces every token in `text` in a single left-to-right pass. A value that itself holds a token
// (a file named "{date}") is copied as it stands and never expanded again. Where two tokens start at
// the same place, the first in `placeholders` wins. Unknown tokens stay literally.
std::string replacePlaceholders(std::string_view text, std::span<const Placeholder> placeholders);

} // namespace ondravell
