#include "ui/font_substitutions.h"

#include "ui/qt_text.h"

#include <QStringList>

namespace velmora {

void installFontSubstitutions() {
    const QString song = QStringLiteral("AR PL UMing CN");
    for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun")})
        QFont::insertSubstitutions(name, {song});
    for (const QString& name :
         {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif")})
        QFont::insertSubstitutions(name, {QStringLiteral("DejaVu Sans"), song});
}

QFont windowFont(const controls::Typeface& face) {
    QFont font(toQString(face.family));
    font.setPointSizeF(face.pointSize);
    font.setWeight(face.bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace velmora
