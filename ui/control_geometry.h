#pragma once

#include "ui/control_table.h"

#include <QRect>

namespace velmora {

// Where a control of the table stands, in device-independent pixels of the client area.
//   pixelRect(Command1) -> QRect(352, 624, 65, 33)
inline QRect pixelRect(const controls::Control& control) {
    using controls::pixels;
    return {pixels(control.left), pixels(control.top), pixels(control.width),
            pixels(control.height)};
}

// The rectangle a line paints: its width is centred on the segment between its end points, and
// reaches past each end by half of it so that the edges of the frame meet in full corners.
inline QRect pixelRect(const controls::Line& line) {
    using controls::pixels;
    const int half = controls::lineWidthPixels / 2;
    const QRect ends =
        QRect(QPoint(pixels(line.x1), pixels(line.y1)), QPoint(pixels(line.x2), pixels(line.y2)))
            .normalized();
    return ends.adjusted(-half, -half, half, half);
}

} // namespace velmora
