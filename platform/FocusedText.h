#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ondravell::platform {

// The object that has the keyboard focus in another application, as the accessibility bus shows it:
// which application it belongs to, whether it is a password field, where its selection is, and a way
// to put a text in place of that selection. Answers come on the event loop's thread.
class FocusedText {
public:
    struct Focus {
        // The application's desktop-file id when the desktop launched it so that it can be told, else
        // the name the application gives itself on the bus.
        std::string application;
        std::optional<std::int64_t> pid;
        bool password = false;
    };
    // In the desktop's device pixels.
    struct Rect {
        double x = 0, y = 0, width = 0, height = 0;
    };

    virtual ~FocusedText() = default;

    // What is known now, without waiting on any application; nullopt when no object of another
    // application has the focus, or there is no accessibility bus.
    virtual std::optional<Focus> focus() = 0;
    // Whether the accessibility bus's answers come now. False while whatever asks it for this process
    // is away (it ended and is being started again): then `focus` is no answer, and an application it
    // cannot name may be any application, one the user excluded too.
    virtual bool answers() { return true; }
    // What has the focus once every focus change the applications reported so far is known and the
    // object focused last was asked whether it still has it; heard once. `known` is false when no
    // answer came in time (an application answering late, or nothing there to ask the bus): then
    // nothing about the focus can be trusted, not even that it is no password field.
    virtual void settledFocus(std::function<void(std::optional<Focus> focus, bool known)> done) {
        done(focus(), true);
    }
    // `handler` hears, on the event loop's thread, when the text focused last loses the focus, its
    // application leaves or scrolls, or its selection is cleared: a selection shown from it is over, or
    // no longer where it was.
    virtual void setSelectionLostHandler(std::function<void()> handler) { (void)handler; }
    // Brings what `focus` knows up to date with the applications, in the background: a focus change an
    // application never reported (it started before us) is learnt a moment later.
    virtual void refresh() {}
    // The selection's extents in screen coordinates, which only X11 windows know truly; nullopt when
    // there is no selection or its application does not say.
    virtual void selectionExtents(std::function<void(std::optional<Rect>)> done) = 0;
    // Puts `value` in place of `selected` in the text field of another application that had the focus
    // last: `selected` is the selection as the bar showed it (the selection may hold blanks around it,
    // which stay). True once the field holds the new text; false when the field is not editable, or its
    // selection (or, after it lost the focus, the range last selected) no longer holds `selected`.
    virtual void replaceSelection(std::string selected, std::string value,
                                  std::function<void(bool)> done) = 0;
};

} // namespace ondravell::platform
