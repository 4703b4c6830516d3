// A user inside a program as it was installed: loaded into it with LD_PRELOAD, this plays one
// calculation run through its real window and modal boxes, writes what was seen and quits the
// program, so that a package can be checked on a machine where nothing else can drive it (an
// emulated one on the offscreen platform).
//
// VELMORA_DRIVER_ANSWERS names the answers, one a line as for ModalUser; VELMORA_DRIVER_RECORD
// the file that gets ModalUser's record, one line per box with every field's text, then the
// fields as the run left them. The program exits with 0 when every box was answered in time; the
// time from its start to its window's showing goes to standard error.
#include "tests/ui/modal_user.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

// Set as the driver is loaded, before the program's main: the start-up below counts from here.
const auto loaded = std::chrono::steady_clock::now();

QStringList answerLines(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the answers %s", qPrintable(fileName));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QWidget* calculationWindow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(), [](const QWidget* window) {
        return window->isVisible() &&
               window->findChild<QPushButton*>(QStringLiteral("Command1")) != nullptr;
    });
    return found == windows.end() ? nullptr : *found;
}

// The window's fields Text1 to Text9, by name: the same order on every machine.
QString fieldTexts(const QWidget& window) {
    QList<QLineEdit*> fields = window.findChildren<QLineEdit*>(
        QRegularExpression(QStringLiteral("^Text[0-9]+$")), Qt::FindChildrenRecursively);
    std::sort(fields.begin(), fields.end(), [](const QLineEdit* a, const QLineEdit* b) {
        return a->objectName() < b->objectName();
    });
    QStringList texts;
    for (const QLineEdit* field : fields)
        texts.append(field->objectName() + QLatin1Char('=') + field->text());
    return texts.join(QStringLiteral(" | "));
}

void playRun() {
    QWidget* window = calculationWindow();
    if (!window || !QTest::qWaitForWindowExposed(window))
        qFatal("the program showed no calculation window");
    const auto startUp = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - loaded);
    std::fprintf(stderr, "window shown %lld ms after start\n",
                 static_cast<long long>(startUp.count()));
    // Emulated machines run the boxes many times slower than real ones.
    ModalUser user(
        answerLines(qEnvironmentVariable("VELMORA_DRIVER_ANSWERS")),
        [window] { return fieldTexts(*window); }, std::chrono::minutes(3));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);

    QFile record(qEnvironmentVariable("VELMORA_DRIVER_RECORD"));
    if (!record.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the record %s", qPrintable(record.fileName()));
    const QStringList lines =
        user.record() + QStringList{QStringLiteral("fields | ") + fieldTexts(*window)};
    record.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    record.close();
    if (!user.failure().isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(user.failure()));
    QCoreApplication::exit(user.failure().isEmpty() && record.error() == QFile::NoError ? 0 : 1);
}

// Runs as the program's QApplication is made; the run starts once its event loop does, when the
// window has been shown.
void startDriving() {
    QTimer::singleShot(0, playRun);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriving)
