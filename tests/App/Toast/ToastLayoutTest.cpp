#include "App/Toast/ToastLayout.h"

#include "App/Toast/ToastMetrics.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(ToastLayout, EachToastIsSizedAndCentredFromItsOwnMessage) {
    const ToastRect screen{0, 27, 1280, 773};
    const ToastRect second{1280, 0, 1920, 1080};
    const int symbol = ToastMetrics::symbolBox;
    const int limit = ToastLayout::messageWidthLimit(symbol);
    struct Case {
        int messageWidth, messageHeight;
        ToastRect area, expected;
    };
    // 18 + 20 + 9 + width + 18 across; 12 + height + 12 down; 120 below the area's top.
    const Case cases[] = {
        {100, 17, screen, {557, 147, 165, 44}},       {limit, 3 * 17, screen, {460, 147, 360, 75}},
        {5000, 3 * 17, screen, {460, 147, 360, 75}},  // never wider than the widest toast
        {100, 17, screen, {557, 147, 165, 44}},       // after a long one, narrow and centred again
        {100, 10, second, {2157, 120, 165, 44}},      // the symbol sets the least height
        {100, 1 << 20, screen, {557, 147, 165, 653}}, // never past the bottom of the area
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToastLayout::toastFrame(c.messageWidth, c.messageHeight, symbol, c.area), c.expected)
            << c.messageWidth << "x" << c.messageHeight;
    EXPECT_EQ(ToastLayout::progressFrame(60, screen), (ToastRect{490, 147, 300, 60}));
}
