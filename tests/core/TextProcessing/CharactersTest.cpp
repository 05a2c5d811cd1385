#include "core/TextProcessing/Characters.h"

#include <gtest/gtest.h>

using ondravell::Characters;

// Clusters that the break rules join or split on more than the first two code points: a carriage
// return and line feed, Hangul jamo, pairs of regional indicators, emoji joined by a zero-width joiner,
// stacked marks, an Indic conjunct, a prepended mark, a Thai vowel, a mark after a control character,
// ideographs, a keycap and a byte that is not UTF-8.
TEST(Characters, SplitsIntoUserPerceivedCharacters) {
    struct Case {
        const char* text;
        std::vector<std::size_t> lengths;
    };
    const Case cases[] = {
        {"a\r\nb", {1, 2, 1}},
        {"\u1100\u1161\u11a8x", {9, 1}},
        {"\U0001f1e8\U0001f1f3\U0001f1fa", {8, 4}},
        {"\U0001f468\u200d\U0001f469a", {11, 1}},
        {"e\u0301\u0301z", {5, 1}},
        {"\u0915\u094d\u0937\u093f", {12}},
        {"\u06001", {3}},
        {"\u0e01\u0e33", {6}},
        {"\x01\u0301", {1, 2}},
        {"\u4e2d\u6587", {3, 3}},
        {"1\ufe0f\u20e3", {7}},
        {"a\xff"
         "b",
         {1, 1, 1}},
    };
    for (const Case& c : cases) {
        std::vector<std::size_t> lengths;
        for (std::string_view cluster : Characters::split(c.text))
            lengths.push_back(cluster.size());
        EXPECT_EQ(lengths, c.lengths) << c.text;
    }
}
