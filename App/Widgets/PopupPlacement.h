#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ondravell {

// Where a popup, a popover or a menu of `size` opens beside `anchor` so that all of it lies in `area`
// (global coordinates): below the anchor, `gap` apart, or above it when it fits only there; when it
// fits neither way, on the roomier side and shifted into the area. Horizontally it starts at the
// anchor's left edge or is centred on the anchor (Qt::AlignHCenter), shifted into the area too.
QPoint popupPosition(const QRect& anchor, const QSize& size, const QRect& area,
                     Qt::Alignment horizontal = Qt::AlignLeft, int gap = 0);

// The same beside a widget, within the free area of the screen it is on.
QPoint popupPosition(const QWidget* anchor, const QSize& size, Qt::Alignment horizontal = Qt::AlignLeft,
                     int gap = 0);

} // namespace ondravell
