#pragma once

#include "ui/control_table.h"

class QFrame;
class QWidget;

namespace velmora {

// A plain widget of the default style for a control of the table, on `window`: a label showing its
// caption as plain text from the top left, a one-line field, or a push button with its caption;
// at its place and size, in its face. The window dresses it further; the start-up benchmark shows
// it as it is, what any Qt window of this layout pays.
//   plainControl(Command1, window) -> a QPushButton "进行计算" at (352, 624), 65 x 33 pixels,
//   in Microsoft Sans Serif 8.25 pt bold
QWidget* plainControl(const controls::Control& control, QWidget& window);

// A plain frame line on `window` for a line of the table. Its width is centred on the segment
// between its end points and reaches past each end by half of it, so that the edges of a frame
// meet in full corners.
//   plainLine(Line1, window) -> a horizontal QFrame 3 pixels wide
QFrame* plainLine(const controls::Line& line, QWidget& window);

} // namespace velmora
