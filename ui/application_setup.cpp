#include "ui/application_setup.h"

#include "printing/font_substitutions.h"
#include "printing/qt_text.h"
#include "ui/control_table.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace velmora {

void prepareApplication(QApplication& application) {
    QApplication::setApplicationName(toQString(controls::windowTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("velmora"));

    // The user interface is Chinese whatever the locale, so the standard buttons must be too.
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    installFontSubstitutions();
}

} // namespace velmora
