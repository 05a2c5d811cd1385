#pragma once

#include <cstddef>
#include <string>

namespace ondravell::bench {

// Deterministic selected texts of at least `bytes` bytes, built from lines a user may select in bulk.
enum class SelectionKind {
    // Prose and code: English words, identifiers in several naming styles, numbers, Simplified and
    // Traditional Chinese, runs of spaces and tabs, blank lines, now and then an emoji or an accent.
    mixed,
    // Emoji of one and of several code points (skin tones, families, flags, keycaps) between words.
    emoji,
    // Arabic and Hebrew with vowel marks, mixed with Latin identifiers and digits.
    rightToLeft,
    // Chinese prose in both scripts with its punctuation, now and then a number or a Latin name.
    chinese,
};

std::string makeSelectionSample(SelectionKind kind, std::size_t bytes);

} // namespace ondravell::bench
