#pragma once

#include "platform/FocusedText.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace ondravell::platform {

// The focused object of other applications through libatspi, for the accessibility helper process
// (AccessibilityHelper.cpp), whose only thread it lives on.
//
// libatspi is no library for a program with a second thread on GLib's default main context: it opens a
// private connection to every application it asks and sets it up on g_main_context_default(), whatever
// atspi_set_main_context says, while each of its questions waits for the answer by reading that same
// connection on the thread that asked. In a process whose event loop iterates the default context on
// another thread, both threads read and dispatch one connection, which ends the process (libdbus's
// "Watch is invalid" abort) as soon as applications come and go. So the tracker runs in a process of
// its own, on the thread that iterates the default context, and nothing else there runs.
class AtspiFocusTracker {
public:
    using Focus = FocusedText::Focus;
    using Rect = FocusedText::Rect;

    // `published` hears every change of what `focus` would say; `selectionLost` hears when the text
    // focused last lost the focus, its application left the bus or scrolled, or its selection was
    // cleared.
    AtspiFocusTracker(std::function<void(const std::optional<Focus>&)> published,
                      std::function<void()> selectionLost);
    ~AtspiFocusTracker();
    AtspiFocusTracker(const AtspiFocusTracker&) = delete;
    AtspiFocusTracker& operator=(const AtspiFocusTracker&) = delete;

    // Reaches the accessibility bus and listens to focus, window, selection and scroll-bar events and to
    // applications joining and leaving the bus; false when there is no bus, after which every question below
    // answers nothing without asking.
    bool start();
    // Brings the focus up to date (see `focus`); `windowProcess` is the process of the window with the
    // keyboard, when the caller knows it. False when the focus cannot be known now: the application
    // the user works in did not answer in time, or did not lately.
    bool refresh(std::optional<std::int64_t> windowProcess = std::nullopt);
    // What libatspi keeps for good once met: part of every application that left the bus, and each
    // object that took the focus in an application still on it. Counted so that a helper living for
    // weeks can start afresh now and then (AccessibilityHelper.cpp).
    struct Met {
        std::uint64_t applicationsGone = 0;
        std::uint64_t focusChanges = 0;
    };
    Met met() const;
    // What was published last.
    std::optional<Focus> focus() const;
    std::optional<Rect> extents();
    bool replace(const std::string& selected, const std::string& value);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace ondravell::platform
