#include "App/Toast/ToastContent.h"

#include "core/Support/Numbers.h"

namespace ondravell {

ToastContent ToastContent::toast(std::string message, std::string symbol) {
    ToastContent content;
    content.kind = Kind::toast;
    content.message = std::move(message);
    content.symbol = std::move(symbol);
    return content;
}

ToastContent ToastContent::progress(std::string title, std::int64_t completed, std::int64_t total) {
    ToastContent content;
    content.kind = Kind::progress;
    content.title = std::move(title);
    content.fraction = total < 1 ? 0.0 : static_cast<double>(completed) / static_cast<double>(total);
    content.detail = Numbers::format(completed) + "/" + Numbers::format(total);
    return content;
}

} // namespace ondravell
