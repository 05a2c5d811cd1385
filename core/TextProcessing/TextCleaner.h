#pragma once

#include <string>
#include <string_view>

namespace ondravell {

// Clean-up of a selected text. Nothing here fails: a conversion that cannot run leaves the text as it is.
struct TextCleaner {
    // Trims white space and line breaks at both ends; runs of two or more spaces or tabs become one space.
    static std::string trimSpaces(std::string_view text);
    // Every line feed with the white space around it becomes one space, then trimSpaces.
    static std::string removeLineBreaks(std::string_view text);
    // Three or more line feeds in a row become two.
    static std::string mergeBlankLines(std::string_view text);
    // A space between Han, Hiragana, Katakana or Hangul and an ASCII letter or digit, either way round.
    static std::string addPanguSpacing(std::string_view text);
    static std::string toSimplified(std::string_view text);
    static std::string toTraditional(std::string_view text);
};

} // namespace ondravell
