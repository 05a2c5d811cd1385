#pragma once

#include <chrono>
#include <string>

namespace ondravell {

// Dates in the fixed forms of file names and descriptions: Gregorian calendar, ASCII digits, the local
// time zone (TZ), 24-hour clock, never the user's locale. Callers pass the instant, so a test can fix it.
struct LocalDateText {
    // "yyyy-MM-dd", as new files put it in place of "{date}".
    static std::string date(std::chrono::system_clock::time_point instant);
    // "yyyy-MM-dd HH:mm:ss".
    static std::string dateTime(std::chrono::system_clock::time_point instant);
    // "yyyy-MM-dd HH:mm:ss" in UTC rather than the local time zone.
    static std::string dateTimeUTC(std::chrono::system_clock::time_point instant);
    // "MM-dd HH:mm", as lists of recent events show it.
    static std::string monthDayTime(std::chrono::system_clock::time_point instant);
    // "yyyyMMdd-HHmmss", for names of files made at that moment.
    static std::string compactStamp(std::chrono::system_clock::time_point instant);
};

} // namespace ondravell
