#include "tests/ui/modal_user.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {
const QString cancelLine = QStringLiteral("<Cancel>");
}

ModalUser::ModalUser(QStringList script, std::function<QString()> fieldTexts,
                     std::chrono::milliseconds patience)
    : script_(std::move(script))
    , fieldTexts_(std::move(fieldTexts)) {
    connect(&poll_, &QTimer::timeout, this, &ModalUser::answerOpenBox);
    poll_.start(std::chrono::milliseconds(2));
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, [this] {
        giveUp(QStringLiteral("the boxes were still coming when patience ran out"));
    });
    watchdog_.start(patience);
}

QString ModalUser::failure() const {
    if (!failure_.isEmpty())
        return failure_;
    if (!script_.isEmpty())
        return QStringLiteral("%1 script lines were never used").arg(script_.size());
    return {};
}

void ModalUser::giveUp(const QString& reason) {
    if (failure_.isEmpty())
        failure_ = reason;
}

QString ModalUser::nextLine() {
    if (script_.isEmpty()) {
        giveUp(QStringLiteral("the script ran out"));
        return cancelLine;
    }
    return failure_.isEmpty() ? script_.takeFirst() : cancelLine;
}

void ModalUser::answerOpenBox() {
    QWidget* box = QApplication::activeModalWidget();
    // An answered box stays the active modal widget until its event loop returns, and is answered
    // once. A new box may come at the address of a deleted one, so a deleted box is forgotten.
    if (!box || !box->isVisible() || box == lastBox_)
        return;
    // A progress box waits for the work, not for the user; a test that cancels does so itself.
    if (qobject_cast<QProgressDialog*>(box))
        return;
    lastBox_ = box;
    connect(box, &QObject::destroyed, this, [this, box] {
        if (lastBox_ == box)
            lastBox_ = nullptr;
    });
    if (inspector_ && failure_.isEmpty())
        inspector_(*box);

    const QString fields = fieldTexts_ ? QStringLiteral(" | ") + fieldTexts_() : QString();
    if (auto* prompt = qobject_cast<QInputDialog*>(box)) {
        record_.append(QStringLiteral("ask ") + prompt->labelText() + fields);
        const QString line = nextLine();
        auto* edit = prompt->findChild<QLineEdit*>();
        if (line == cancelLine || !edit) {
            QTest::keyClick(prompt, Qt::Key_Escape);
            return;
        }
        edit->insert(line); // any text, where typing by key events would take Latin-1 only
        QTest::keyClick(edit, Qt::Key_Return);
        return;
    }
    if (auto* message = qobject_cast<QMessageBox*>(box)) {
        if (message->buttons().size() == 1) {
            record_.append(QStringLiteral("error ") + message->text() + fields);
            QTest::keyClick(message, Qt::Key_Return);
            return;
        }
        record_.append(QStringLiteral("refuse ") + message->text() + fields);
        QTest::keyClick(message, nextLine() == cancelLine ? Qt::Key_Escape : Qt::Key_Return);
        return;
    }
    auto* picker = qobject_cast<QDialog*>(box);
    if (auto* lines = box->findChild<QTableView*>(); picker && lines) {
        pickLines(*picker, *lines, fields);
        return;
    }
    giveUp(QStringLiteral("an unexpected modal box: ") + box->metaObject()->className());
    box->close();
}

void ModalUser::pickLines(QDialog& picker, QTableView& lines, const QString& fields) {
    const QString line = nextLine();
    if (line == cancelLine) {
        record_.append(QStringLiteral("pick ") + line + fields);
        QTest::keyClick(&picker, Qt::Key_Escape);
        return;
    }
    const QAbstractItemModel& model = *lines.model();
    const auto tick = [&](int row) {
        lines.setCurrentIndex(model.index(row, 0));
        QTest::keyClick(&lines, Qt::Key_Space);
    };
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.index(row, 0).data(Qt::CheckStateRole) == Qt::Checked)
            tick(row);
    // The user goes by the line numbers they read, in the column after 次序.
    for (const QString& number : line.split(QLatin1Char(',')))
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.index(row, 1).data().toString() == number)
                tick(row);
    record_.append(QStringLiteral("pick ") + picker.findChild<QLabel*>()->text() + fields);
    QPushButton* ok = picker.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    if (!ok->isEnabled()) {
        giveUp(QStringLiteral("确定 stayed disabled: ") + record_.back());
        QTest::keyClick(&picker, Qt::Key_Escape);
        return;
    }
    QTest::mouseClick(ok, Qt::LeftButton);
}
