#include "App/Toast/ToastLayout.h"

#include "App/Toast/ToastMetrics.h"

#include <algorithm>

namespace ondravell {

namespace {

ToastRect placed(int width, int height, const ToastRect& area) {
    // A panel never reaches past the bottom of the area, whatever it was asked to hold.
    const int room = std::max(0, area.height - ToastMetrics::topInset);
    return {area.x + (area.width - width) / 2, area.y + ToastMetrics::topInset, width,
            std::min(height, room)};
}

} // namespace

int ToastLayout::messageWidthLimit(int symbolSize) {
    return ToastMetrics::toastMaxWidth - 2 * ToastMetrics::horizontalPadding - ToastMetrics::toastSpacing -
           symbolSize;
}

ToastRect ToastLayout::toastFrame(int messageWidth, int messageHeight, int symbolSize,
                                  const ToastRect& area) {
    const int width = 2 * ToastMetrics::horizontalPadding + symbolSize + ToastMetrics::toastSpacing +
                      std::clamp(messageWidth, 0, messageWidthLimit(symbolSize));
    const int height = 2 * ToastMetrics::verticalPadding + std::max(symbolSize, std::max(messageHeight, 0));
    return placed(width, height, area);
}

ToastRect ToastLayout::progressFrame(int contentHeight, const ToastRect& area) {
    return placed(ToastMetrics::progressWidth, std::max(contentHeight, 0), area);
}

} // namespace ondravell
