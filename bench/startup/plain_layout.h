#pragma once

#include <QWidget>
#include <memory>

namespace velmora {

// A window of the program's whole layout in plain widgets of the default style: every caption,
// field and button of the control table at its place and size in its face, and every line of the
// line table as a plain frame line, with none of the program's window behind them: no scroll area,
// colours, tab order, actions or handlers. It is what any Qt window of this layout costs to show.
// The font substitutions must be installed first, for the faces to resolve as in the program.
//   plainLayoutWindow() -> a widget of 31 controls and 6 lines, not shown, of no particular size
std::unique_ptr<QWidget> plainLayoutWindow();

} // namespace velmora
