#include "printing/font_substitutions.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <initializer_list>

namespace velmora {

void installFontSubstitutions() {
    const QString song = QStringLiteral("AR PL UMing CN");
    const QStringList installed = QFontDatabase::families();
    const auto lacks = [&installed](std::initializer_list<QString> names) {
        return std::none_of(names.begin(), names.end(), [&installed](const QString& name) {
            return installed.contains(name, Qt::CaseInsensitive);
        });
    };
    // The Song face goes by its Chinese and its Latin name, and a system lists it under the one of
    // its own language: having either, it has the face.
    if (const auto names = {QStringLiteral("宋体"), QStringLiteral("SimSun")}; lacks(names))
        for (const QString& name : names)
            QFont::insertSubstitutions(name, {song});
    // The older face's own successor comes first where the system has it.
    for (const QString& name :
         {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif")})
        if (lacks({name}))
            QFont::insertSubstitutions(name, {QStringLiteral("Microsoft Sans Serif"),
                                              QStringLiteral("DejaVu Sans"), song});
}

} // namespace velmora
