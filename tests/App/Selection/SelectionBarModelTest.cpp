#include "App/Selection/BroomShape.h"
#include "App/Selection/SelectionBarActions.h"
#include "App/Selection/SelectionBarAnchor.h"
#include "App/Selection/SelectionBarPlacement.h"
#include "App/Selection/SelectionGlyph.h"
#include "platform/memory/MemoryFocusedText.h"
#include "platform/memory/MemoryPointerPosition.h"

#include <gtest/gtest.h>

using namespace ondravell;

namespace {

std::vector<std::string> idsOf(const std::vector<SelectionAction>& actions) {
    std::vector<std::string> ids;
    for (const auto& action : actions)
        ids.emplace_back(action.id());
    return ids;
}

const SelectionAction& builtin(SelectionAction::Kind kind) {
    for (const auto& action : SelectionAction::builtins())
        if (action.kind == kind)
            return action;
    throw std::logic_error("no such action");
}

} // namespace

TEST(SelectionBarActions, OrderAndContentConditions) {
    struct Case {
        std::string text;
        std::vector<std::string> saved;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"hello", {"copyText", "translate"}, {"copyText", "translate"}},
        // A repeated id takes its first place; unknown ids are ignored.
        {"hello",
         {"search", "copyText", "search", "nonsense", "translate"},
         {"search", "copyText", "translate"}},
        {"hello", {"openDetected", "calculate", "timestamp", "colorPreview", "qrCode"}, {"qrCode"}},
        {"https://example.org", {"openDetected", "calculate"}, {"openDetected"}},
        {"1+2*3", {"calculate", "colorPreview"}, {"calculate"}},
        {"#ff8800", {"colorPreview"}, {"colorPreview"}},
        {"hello", {"calculate"}, {}},
        {"hello",
         {},
         {"translate", "dictionary", "search", "copyText", "askAI", "wordCount", "caseConvert", "encode",
          "jsonTool", "cleanText"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(idsOf(SelectionBarActions::actions(c.text, c.saved)), c.expected) << c.text;
}

TEST(SelectionBarStyleParsing, KnownValuesAndTheDefault) {
    EXPECT_EQ(selectionBarStyleNamed("icon"), SelectionBarStyle::icon);
    EXPECT_EQ(selectionBarStyleNamed("text"), SelectionBarStyle::text);
    EXPECT_EQ(selectionBarStyleNamed("iconText"), SelectionBarStyle::iconText);
    EXPECT_EQ(selectionBarStyleNamed("Icon"), std::nullopt);
    EXPECT_EQ(selectionBarStyleOrDefault(""), SelectionBarStyle::iconText);
    EXPECT_EQ(selectionBarStyleOrDefault("text"), SelectionBarStyle::text);
}

TEST(SelectionBarPlacement, AboveThePointFlippedAtTheTopAndKeptOffTheSides) {
    using P = SelectionBarPlacement::Point;
    // Two screens side by side; the left one has a 30 px panel at the top.
    const std::vector<SelectionBarPlacement::Screen> screens = {
        {{0, 0, 1280, 800}, {0, 30, 1280, 770}},
        {{1280, 0, 1024, 768}, {1280, 0, 1024, 768}},
    };
    struct Case {
        const char* name;
        P point;
        P expected; // for a bar of 200 × 30
    };
    const Case cases[] = {
        {"middle", {600, 400}, {500, 352}},
        {"near the top: below", {600, 40}, {500, 58}},
        {"exactly fits above", {600, 78}, {500, 30}},
        {"left edge", {5, 400}, {6, 352}},
        {"right edge", {1275, 400}, {1074, 352}},
        {"second screen, left edge", {1285, 400}, {1286, 352}},
        {"second screen, top", {1800, 10}, {1700, 28}},
        {"off every screen: primary", {-50, 400}, {6, 352}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SelectionBarPlacement::origin(c.point, 200, 30, screens, 0), c.expected) << c.name;
    // The right margin wins on a screen narrower than the bar.
    EXPECT_EQ(SelectionBarPlacement::origin({50, 400}, 200, 30, {{{0, 0, 100, 800}, {0, 0, 100, 800}}}, 0),
              (P{-106, 352}));
    EXPECT_EQ(SelectionBarPlacement::origin({50, 10}, 200, 30, {}, std::nullopt), (P{-50, -38}));
}

TEST(SelectionBarPlacement, ResultPanelBelowThePointAboveNearTheBottom) {
    using P = SelectionBarPlacement::Point;
    const std::vector<SelectionBarPlacement::Screen> screens = {{{0, 0, 1280, 800}, {0, 0, 1280, 760}}};
    struct Case {
        const char* name;
        P point;
        P expected; // for a panel of 300 × 200
    };
    const Case cases[] = {
        {"middle", {600, 300}, {450, 312}},
        {"exactly fits below", {600, 548}, {450, 560}},
        {"near the bottom: above", {600, 549}, {450, 325}},
        {"left edge", {10, 300}, {6, 312}},
        {"right edge", {1270, 300}, {974, 312}},
        {"off every screen: primary", {-400, 300}, {6, 312}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SelectionBarPlacement::resultOrigin(c.point, 300, 200, screens, 0), c.expected) << c.name;
    EXPECT_EQ(SelectionBarPlacement::resultOrigin({100, 700}, 300, 200, screens, 0), (P{6, 476}));
}

TEST(SelectionGlyph, DrawingsTitlesAndTheBroom) {
    using Kind = SelectionAction::Kind;
    using D = SelectionGlyph::Drawing;
    EXPECT_EQ(SelectionGlyph::drawingFor(builtin(Kind::wordCount)), D::wordCount);
    EXPECT_EQ(SelectionGlyph::drawingFor(builtin(Kind::jsonTool)), D::json);
    EXPECT_EQ(SelectionGlyph::drawingFor(builtin(Kind::cleanText)), D::cleanText);
    EXPECT_EQ(SelectionGlyph::drawingFor(builtin(Kind::askAI)), D::askAI);
    EXPECT_EQ(SelectionGlyph::drawingFor(builtin(Kind::caseConvert)), D::text);
    EXPECT_EQ(SelectionGlyph::drawingFor(builtin(Kind::translate)), D::symbol);

    const auto style = SelectionBarStyle::iconText;
    EXPECT_FALSE(SelectionGlyph::buttonShowsTitle(builtin(Kind::jsonTool), style)); // "{JSON}" holds "JSON"
    EXPECT_TRUE(SelectionGlyph::buttonShowsTitle(builtin(Kind::askAI), style));
    SelectionAction lower = builtin(Kind::jsonTool);
    lower.glyphText = "{json}";
    EXPECT_FALSE(SelectionGlyph::buttonShowsTitle(lower, style));
    EXPECT_FALSE(SelectionGlyph::buttonShowsTitle(builtin(Kind::copyText), SelectionBarStyle::icon));
    EXPECT_TRUE(SelectionGlyph::buttonShowsTitle(builtin(Kind::jsonTool), SelectionBarStyle::text));
    EXPECT_FALSE(SelectionGlyph::buttonShowsGlyph(SelectionBarStyle::text));

    EXPECT_DOUBLE_EQ(BroomShape::lineWidth(5), 1.0);
    EXPECT_DOUBLE_EQ(BroomShape::lineWidth(12.5), 1.375);
}

TEST(SelectionBarPlacement, FixedSpotOnThePrimaryScreen) {
    using P = SelectionBarPlacement::Point;
    const std::vector<SelectionBarPlacement::Screen> screens = {
        {{0, 0, 1280, 800}, {0, 30, 1280, 770}},
        {{1280, 0, 1024, 768}, {1280, 0, 1024, 768}},
    };
    EXPECT_EQ(SelectionBarPlacement::fixedSpot(screens, 1), (P{1792, 768 * 0.3}));
    EXPECT_EQ(SelectionBarPlacement::fixedSpot(screens, std::nullopt), (P{640, 240}));
    EXPECT_EQ(SelectionBarPlacement::fixedSpot({}, std::nullopt), std::nullopt);
}

TEST(SelectionBarAnchor, AtAnX11SelectionElseAtThePointerElseAtTheFixedSpot) {
    using Rect = platform::FocusedText::Rect;
    using Pointer = platform::PointerPosition::Point;
    struct Case {
        const char* name;
        bool x11Window;
        std::optional<Rect> extents;
        std::optional<Pointer> pointer, x11Pointer;
        SelectionBarAnchor::Point expected;
    };
    const Case cases[] = {
        {"X11 window: the selection's top centre",
         true,
         Rect{100, 200, 50, 20},
         Pointer{1, 1},
         Pointer{2, 2},
         {125, 200}},
        {"X11 window without extents: its pointer", true, std::nullopt, Pointer{1, 1}, Pointer{2, 2}, {2, 2}},
        {"X11 window, nothing known", true, std::nullopt, Pointer{1, 1}, std::nullopt, {640, 240}},
        {"Wayland window: the desktop's pointer",
         false,
         Rect{100, 200, 50, 20},
         Pointer{1, 1},
         Pointer{2, 2},
         {1, 1}},
        {"Wayland window, no pointer: the fixed spot",
         false,
         Rect{100, 200, 50, 20},
         std::nullopt,
         Pointer{2, 2},
         {640, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::MemoryFocusedText text;
        text.extents = c.extents;
        platform::MemoryPointerPosition pointer, x11Pointer;
        pointer.position = c.pointer;
        x11Pointer.position = c.x11Pointer;
        SelectionBarAnchor::Sources sources{[&c] { return c.x11Window; }, &text, &pointer, &x11Pointer,
                                            [] {
                                                return SelectionBarAnchor::Point{640, 240};
                                            }};
        std::optional<SelectionBarAnchor::Point> placed;
        SelectionBarAnchor::locate(sources, [&placed](SelectionBarAnchor::Point at) { placed = at; });
        ASSERT_TRUE(placed);
        EXPECT_EQ(placed->x, c.expected.x);
        EXPECT_EQ(placed->y, c.expected.y);
    }
}
