#include "App/Selection/SelectionGlyph.h"

#include "core/Support/UnicodeText.h"

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
