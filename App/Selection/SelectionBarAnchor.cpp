#include "App/Selection/SelectionBarAnchor.h"

#include "platform/FocusedText.h"
#include "platform/PointerPosition.h"

namespace ondravell {

namespace {

void atPointer(platform::PointerPosition* pointer, const SelectionBarAnchor::Sources& sources,
               std::function<void(SelectionBarAnchor::Point)> done) {
    auto fixed = sources.fixedSpot;
    if (!pointer) {
        done(fixed ? fixed() : SelectionBarAnchor::Point{});
        return;
    }
    pointer->locate([fixed, done = std::move(done)](std::optional<platform::PointerPosition::Point> at) {
        if (at)
            done({at->x, at->y});
        else
            done(fixed ? fixed() : SelectionBarAnchor::Point{});
    });
}

} // namespace

void SelectionBarAnchor::locate(const Sources& sources, std::function<void(Point)> done) {
    if (!sources.focusedText || !sources.focusedWindowIsX11 || !sources.focusedWindowIsX11()) {
        atPointer(sources.pointer, sources, std::move(done));
        return;
    }
    sources.focusedText->selectionExtents(
        [sources, done = std::move(done)](std::optional<platform::FocusedText::Rect> extents) mutable {
            if (extents)
                done({extents->x + extents->width / 2, extents->y});
            else
                atPointer(sources.x11Pointer, sources, std::move(done));
        });
}

} // namespace ondravell
