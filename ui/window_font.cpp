#include "ui/window_font.h"

#include "printing/qt_text.h"

namespace velmora {

QFont windowFont(const controls::Typeface& face) {
    QFont font(toQString(face.family));
    font.setPointSizeF(face.pointSize);
    font.setWeight(face.bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace velmora
