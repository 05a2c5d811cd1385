#include "App/Selection/SelectionGlyph.h"

#include "core/Support/UnicodeText.h"

#include <algorithm>

namespace ondravell {

SelectionGlyph::Drawing SelectionGlyph::drawingFor(const SelectionAction& action) {
    using Kind = SelectionAction::Kind;
    switch (action.kind) {
    case Kind::wordCount:
        return Drawing::wordCount;
    case Kind::jsonTool:
        return Drawing::json;
    case Kind::cleanText:
        return Drawing::cleanText;
    case Kind::askAI:
        return Drawing::askAI;
    default:
        return action.glyphText ? Drawing::text : Drawing::symbol;
    }
}

const std::array<SelectionGlyph::Segment, 5>& SelectionGlyph::broomSegments() {
    static constexpr std::array<Segment, 5> segments = {{
        {0.82, 0.04, 0.50, 0.52}, // handle
        {0.34, 0.66, 0.64, 0.56}, // binding
        {0.46, 0.60, 0.12, 0.94},
        {0.52, 0.62, 0.34, 0.98},
        {0.58, 0.62, 0.58, 0.98},
    }};
    return segments;
}

double SelectionGlyph::broomLineWidth(double baseSize) {
    return std::max(0.11 * baseSize, 1.0);
}

bool SelectionGlyph::buttonShowsTitle(const SelectionAction& action, SelectionBarStyle style) {
    switch (style) {
    case SelectionBarStyle::icon:
        return false;
    case SelectionBarStyle::text:
        return true;
    case SelectionBarStyle::iconText:
        break;
    }
    if (!action.glyphText)
        return true;
    return UnicodeText::lowercased(*action.glyphText)
               .find(UnicodeText::lowercased(action.localizedTitle())) == std::string::npos;
}

} // namespace ondravell
