#include "App/Toast/ToastFade.h"

#include <algorithm>

namespace ondravell {

std::vector<double> ToastFade::steps(double from, double to, std::chrono::milliseconds duration) {
    const auto frames =
        std::max<long long>(1, (duration.count() + frameInterval.count() - 1) / frameInterval.count());
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(frames));
    for (long long frame = 1; frame < frames; ++frame)
        values.push_back(from + (to - from) * static_cast<double>(frame) / static_cast<double>(frames));
    values.push_back(to);
    return values;
}

} // namespace ondravell
