#include "core/FileOps/LocalDateText.h"

#include "core/Support/Numbers.h"

#include <ctime>

namespace ondravell {

namespace {

std::string padded(long long value, std::size_t width) {
    const bool negative = value < 0;
    std::string digits = Numbers::format(static_cast<std::int64_t>(negative ? -value : value));
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

std::tm localParts(std::chrono::system_clock::time_point instant) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(instant));
    std::tm parts{};
    ::localtime_r(&seconds, &parts);
    return parts;
}

std::tm utcParts(std::chrono::system_clock::time_point instant) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(instant));
    std::tm parts{};
    ::gmtime_r(&seconds, &parts);
    return parts;
}

std::string datePart(const std::tm& parts) {
    return padded(parts.tm_year + 1900LL, 4) + "-" + padded(parts.tm_mon + 1, 2) + "-" +
           padded(parts.tm_mday, 2);
}

std::string dateTimePart(const std::tm& parts) {
    return datePart(parts) + " " + padded(parts.tm_hour, 2) + ":" + padded(parts.tm_min, 2) + ":" +
           padded(parts.tm_sec, 2);
}

} // namespace

std::string LocalDateText::date(std::chrono::system_clock::time_point instant) {
    return datePart(localParts(instant));
}

std::string LocalDateText::dateTime(std::chrono::system_clock::time_point instant) {
    return dateTimePart(localParts(instant));
}

std::string LocalDateText::dateTimeUTC(std::chrono::system_clock::time_point instant) {
    return dateTimePart(utcParts(instant));
}

std::string LocalDateText::monthDayTime(std::chrono::system_clock::time_point instant) {
    const std::tm parts = localParts(instant);
    return padded(parts.tm_mon + 1, 2) + "-" + padded(parts.tm_mday, 2) + " " + padded(parts.tm_hour, 2) +
           ":" + padded(parts.tm_min, 2);
}

std::string LocalDateText::compactStamp(std::chrono::system_clock::time_point instant) {
    const std::tm parts = localParts(instant);
    return padded(parts.tm_year + 1900LL, 4) + padded(parts.tm_mon + 1, 2) + padded(parts.tm_mday, 2) + "-" +
           padded(parts.tm_hour, 2) + padded(parts.tm_min, 2) + padded(parts.tm_sec, 2);
}

} // namespace ondravell
