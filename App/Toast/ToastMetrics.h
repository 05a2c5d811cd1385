#pragma once

#include <chrono>

namespace ondravell::ToastMetrics {

using std::chrono::milliseconds;

// How long a toast stays before it fades out by itself.
inline constexpr milliseconds toastDuration{1700};
// How long a progress display waits for its next update before it fades out.
inline constexpr milliseconds progressTimeout{8000};
inline constexpr milliseconds fadeInDuration{150};
inline constexpr milliseconds fadeOutDuration{300};

// Geometry, in device-independent pixels.
inline constexpr int topInset = 120; // from the top of the screen's available area to the panel's top
inline constexpr int toastMaxWidth = 360;
inline constexpr int progressWidth = 300;
inline constexpr int horizontalPadding = 18;
inline constexpr int verticalPadding = 12;
inline constexpr int toastSpacing = 9;
inline constexpr int progressSpacing = 7;
inline constexpr int symbolPointSize = 15;
inline constexpr int symbolBox = 20; // the square a 15-point symbol takes
inline constexpr double cornerRadius = 14.0;
inline constexpr double borderWidth = 0.5;
inline constexpr double borderOpacity = 0.12;
// The shadow under the panel, drawn only where a compositor shows translucent windows.
inline constexpr int shadowRadius = 12;
inline constexpr int shadowOffset = 3;
inline constexpr double shadowOpacity = 0.05;

} // namespace ondravell::ToastMetrics
