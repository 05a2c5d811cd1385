#include "App/Widgets/PopupPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace ondravell {

namespace {

// `start` moved so that `length` from it stays within [low, high); at `low` when it cannot.
int shiftedInto(int start, int length, int low, int high) {
    return std::clamp(start, low, std::max(low, high - length));
}

} // namespace

QPoint popupPosition(const QRect& anchor, const QSize& size, const QRect& area, Qt::Alignment horizontal,
                     int gap) {
    const int areaEnd = area.y() + area.height();
    const int below = anchor.y() + anchor.height() + gap;
    const int above = anchor.y() - gap - size.height();
    int y = below;
    if (below + size.height() > areaEnd && (above >= area.y() || anchor.y() - area.y() > areaEnd - below))
        y = above;
    int x =
        horizontal.testFlag(Qt::AlignHCenter) ? anchor.x() + (anchor.width() - size.width()) / 2 : anchor.x();
    return {shiftedInto(x, size.width(), area.x(), area.x() + area.width()),
            shiftedInto(y, size.height(), area.y(), areaEnd)};
}

QPoint popupPosition(const QWidget* anchor, const QSize& size, Qt::Alignment horizontal, int gap) {
    const QRect global(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    QScreen* screen = QGuiApplication::screenAt(global.center());
    if (!screen)
        screen = anchor->screen();
    const QRect area = screen ? screen->availableGeometry() : global.united(QRect(global.topLeft(), size));
    return popupPosition(global, size, area, horizontal, gap);
}

} // namespace ondravell
