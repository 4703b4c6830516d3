#pragma once

#include "ui/control_table.h"

#include <QFont>

namespace velmora {

// The font in which a control writes, asked for by the face's own name; installFontSubstitutions()
// decides what draws it.
//   windowFont(captionFace) -> "Microsoft Sans Serif", 8.25 pt, weight 700
//   windowFont(titleFace) -> "宋体", 15.75 pt, weight 700
QFont windowFont(const controls::Typeface& face);

} // namespace velmora
