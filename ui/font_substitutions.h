#pragma once

#include "ui/control_table.h"

#include <QFont>

namespace velmora {

// Makes the faces the window and the report ask for by name resolve on this platform: "宋体" and
// "SimSun" to AR PL UMing CN, a Song face whose Latin characters are half as wide as its Chinese
// ones (the report's columns count on that); "Microsoft Sans Serif" and "MS Sans Serif" to
// DejaVu Sans with AR PL UMing CN for the Chinese captions. Explicit substitutes keep the choice
// independent of the user's locale. Call once, after the QGuiApplication exists.
void installFontSubstitutions();

// The font in which a control writes, asked for by the face's own name; installFontSubstitutions()
// decides what draws it.
//   windowFont(captionFace) -> "Microsoft Sans Serif", 8.25 pt, weight 700
//   windowFont(titleFace) -> "宋体", 15.75 pt, weight 700
QFont windowFont(const controls::Typeface& face);

} // namespace velmora
