#include "core/FileOps/PlaceholderText.h"

namespace ondravell {

std::string replacePlaceholders(std::string_view text, std::span<const Placeholder> placeholders) {
    std::string out;
    out.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const Placeholder* match = nullptr;
        for (const Placeholder& placeholder : placeholders) {
            if (!placeholder.token.empty() && text.substr(position).starts_with(placeholder.token)) {
                match = &placeholder;
                break;
            }
        }
        if (match) {
            out += match->value;
            position += match->token.size();
        } else {
            out += text[position];
            ++position;
        }
    }
    return out;
}

} // namespace ondravell
