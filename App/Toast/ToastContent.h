#pragma once

#include <cstdint>
#include <string>

namespace ondravell {

// What the toast panel shows: a toast (symbol and message) or a progress display (title, bar and
// "completed/total").
struct ToastContent {
    enum class Kind { toast, progress };

    Kind kind = Kind::toast;
    std::string message;
    std::string symbol;
    std::string title;
    double fraction = 0;
    std::string detail;

    static ToastContent toast(std::string message, std::string symbol);
    // fraction 0 when `total` < 1; detail "3/10".
    static ToastContent progress(std::string title, std::int64_t completed, std::int64_t total);

    bool operator==(const ToastContent&) const = default;
};

} // namespace ondravell
