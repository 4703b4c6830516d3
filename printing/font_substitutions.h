#pragma once

namespace velmora {

// Makes the faces the window and the report ask for by name resolve on a system that lacks them:
// "宋体" and "SimSun" to AR PL UMing CN, a Song face whose Latin characters are half as wide as its
// Chinese ones (the report's columns count on that); "Microsoft Sans Serif" and "MS Sans Serif" to
// Microsoft Sans Serif where it exists, else DejaVu Sans with AR PL UMing CN for the Chinese
// captions. A face the system has (on Windows all of them) is drawn by itself. Explicit
// substitutes keep the choice independent of the user's locale. Call once, after the
// QGuiApplication exists.
//   on Debian: "宋体" -> AR PL UMing CN, "MS Sans Serif" -> DejaVu Sans
//   on Windows: "宋体" -> SimSun, "MS Sans Serif" -> MS Sans Serif
void installFontSubstitutions();

} // namespace velmora
