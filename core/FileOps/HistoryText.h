#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace ondravell {

// The history file as this system writes it: a compact JSON array of operations, each exactly as
// writing it again would give it (keys in order, no white space, no escapes, timestamps in the form the
// writer gives them). Such a file can take an entry without decoding and encoding every other one.
struct HistoryText {
    // The texts of the operations, oldest first, when `file` is in that form and every operation in it
    // is valid; nullopt for any other text, which must then be decoded in full. Views into `file`.
    static std::optional<std::vector<std::string_view>> compactEntries(std::string_view file);
};

} // namespace ondravell
