#include "App/Widgets/PopupPlacement.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(PopupPlacement, OpensBelowOrAboveItsAnchorAndStaysOnTheScreen) {
    const QRect screen(0, 0, 1280, 800);
    const QSize popover(300, 265);
    struct Case {
        const char* what;
        QRect anchor;
        Qt::Alignment horizontal;
        QPoint expected;
    };
    const Case cases[] = {
        {"room below: below, at the anchor's left edge", {100, 100, 40, 20}, Qt::AlignLeft, {100, 120}},
        {"room below: below, centred", {100, 100, 40, 20}, Qt::AlignHCenter, {0, 120}},
        {"a low anchor: above it", {600, 572, 40, 20}, Qt::AlignHCenter, {470, 307}},
        {"at the right edge: shifted left", {1260, 100, 20, 20}, Qt::AlignLeft, {980, 120}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(popupPosition(c.anchor, popover, screen, c.horizontal), c.expected) << c.what;

    // Taller than the room either side of the anchor: on the roomier side, pushed into the screen.
    EXPECT_EQ(popupPosition(QRect(10, 500, 40, 20), QSize(100, 600), screen), QPoint(10, 0));
    EXPECT_EQ(popupPosition(QRect(10, 200, 40, 20), QSize(100, 600), screen), QPoint(10, 200));
    // Taller than the screen: its top stays on the screen.
    EXPECT_EQ(popupPosition(QRect(10, 700, 40, 20), QSize(100, 900), screen), QPoint(10, 0));
    // A gap apart, either way.
    EXPECT_EQ(popupPosition(QRect(10, 100, 40, 20), QSize(100, 50), screen, Qt::AlignLeft, 4),
              QPoint(10, 124));
    EXPECT_EQ(popupPosition(QRect(10, 770, 40, 20), QSize(100, 50), screen, Qt::AlignLeft, 4),
              QPoint(10, 716));
}
