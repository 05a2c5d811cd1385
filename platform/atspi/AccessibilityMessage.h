#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell::platform {

// One line between the program and its accessibility helper process: fields separated by tabs, the line
// ended by a newline; a backslash, tab, newline or carriage return inside a field is written as "\\",
// "\t", "\n" or "\r", so any UTF-8 text (a selection of several lines) travels in one field.
//
// The program asks "refresh [<pid>]", "settled [<pid>]", "extents" and "replace <selected> <value>",
// where <pid> is the process of the window with the keyboard when the program knows it; the helper
// answers each "settled" with "settled [<pid> <password 0|1> <application>]" (the focus once the events
// it had received are handled and, where they do not tell, the application the user works in was
// asked), or with "settled ?" when that application did not answer, each "extents" with
// "extents [<x> <y> <width> <height>]" and each "replace" with "replaced <0|1>", in the order asked, and says
// "focus [<pid> <password 0|1> <application>]" whenever the focus it knows changes, and "lost" whenever the
// text focused last loses the focus, its application leaves the bus or scrolls, or its selection is
// cleared.
struct AccessibilityMessage {
    // The line for `fields`, its newline included.
    static std::string encode(const std::vector<std::string>& fields);
    // The fields of `line` (without its newline).
    static std::vector<std::string> decode(std::string_view line);
    // Takes every whole line from the front of `received`, leaving a line still arriving in it.
    static std::vector<std::vector<std::string>> takeLines(std::string& received);

    // The whole decimal number `text`; nullopt for anything else.
    static std::optional<std::int64_t> number(std::string_view text);
    // The process of the window with the keyboard that a "refresh" or "settled" request names.
    static std::optional<std::int64_t> windowProcess(const std::vector<std::string>& request);
    // The field of a "settled" answer that says the focus could not be known.
    static constexpr const char* unknownFocus = "?";
};

} // namespace ondravell::platform
