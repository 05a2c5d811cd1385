#pragma once

#include "platform/FocusedText.h"

namespace ondravell::platform {

// A focused object the test sets; answers come at once. A replace succeeds when `editable` and
// `selection` is what the bar showed, and then puts the value in `selection`.
class MemoryFocusedText final : public FocusedText {
public:
    std::optional<Focus> focus() override { return focused; }
    bool answers() override { return answering; }
    void settledFocus(std::function<void(std::optional<Focus>, bool)> done) override {
        done(focused, focusKnown);
    }
    void selectionExtents(std::function<void(std::optional<Rect>)> done) override { done(extents); }
    void replaceSelection(std::string selected, std::string value, std::function<void(bool)> done) override {
        const bool replaced = editable && selection == selected;
        if (replaced)
            selection = value;
        done(replaced);
    }

    std::optional<Focus> focused;
    // False: the settled focus never comes in time.
    bool focusKnown = true;
    // False: the accessibility bus does not answer (its helper is away).
    bool answering = true;
    std::optional<Rect> extents;
    bool editable = true;
    std::string selection;
};

} // namespace ondravell::platform
