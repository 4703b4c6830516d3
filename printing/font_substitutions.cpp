#include "printing/font_substitutions.h"

#include <QFont>
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

} // namespace velmora
