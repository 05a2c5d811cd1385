#pragma once

#include "App/Selection/SelectionBarStyle.h"
#include "core/Models/SelectionAction.h"

namespace ondravell {

// What the picture of a toolbar action is made of, and which parts a bar button shows. Sizes are
// fractions of the glyph's base size b.
struct SelectionGlyph {
    enum class Drawing {
        symbol,    // the symbol named by `systemImage`, at size b
        text,      // `glyphText`, b, semibold, monospaced
        wordCount, // "SIZE", 0.72 b, bold, rounded, kerning −0.3
        json,      // "{" b semibold, "JSON" 0.68 b bold, "}" b semibold, monospaced, spacing 0.5
        cleanText, // "字" 0.78 b semibold, then the broom (BroomShape) overlapping it by 0.34 b
        askAI,     // "Ask" 0.8 b semibold, then "AI" 0.52 b bold raised by 0.16 b
    };
    static constexpr double barIconSize = 12.5;     // the `icon` style
    static constexpr double barIconTextSize = 11.0; // the `iconText` style

    SelectionGlyph() = delete;
    static Drawing drawingFor(const SelectionAction& action);

    static bool buttonShowsGlyph(SelectionBarStyle style) { return style != SelectionBarStyle::text; }
    // In the `iconText` style the title is left out when the glyph text already holds it, in any case.
    static bool buttonShowsTitle(const SelectionAction& action, SelectionBarStyle style);
};

} // namespace ondravell
