#pragma once

namespace ondravell {

// A rectangle in device-independent pixels of the desktop.
struct ToastRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ToastRect&) const = default;
};

// Where the panel goes and how big it is, from what it shows now and nothing shown before: centred
// horizontally in the screen's available area, its top edge a fixed distance below the area's top.
struct ToastLayout {
    // A toast's message wraps to at most this many lines; the last one is elided.
    static constexpr int maxMessageLines = 3;

    // The widest a message may be beside a symbol `symbolSize` wide.
    static int messageWidthLimit(int symbolSize);
    // The toast panel for a message block of the given size (already wrapped and elided) beside the
    // symbol.
    static ToastRect toastFrame(int messageWidth, int messageHeight, int symbolSize, const ToastRect& area);
    // The progress panel, whose width is fixed, for content of the given height.
    static ToastRect progressFrame(int contentHeight, const ToastRect& area);
};

} // namespace ondravell
