#pragma once

#include <QDir>
#include <QStandardPaths>
#include <QString>

namespace velmora {

// Where the file dialogs open: the user's Documents folder, or the home folder where there is none.
inline QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace velmora
