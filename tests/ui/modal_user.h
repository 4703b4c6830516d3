#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>

class QDialog;
class QTableView;
class QWidget;

// A user at the window's modal boxes, played from a script, so that a test can drive the real
// QInputDialogs and QMessageBoxes of a calculation run from start to end.
//
// Script, one line per box: a prompt (QInputDialog) gets the line entered into its text box and
// Enter, or Escape for exactly "<Cancel>". A refusal (a message box offering two choices) takes
// the next line too: "<Cancel>" presses Escape, anything else Enter. A message box with a single
// button is an error message; it is read and closed with Enter and takes no line. A progress box
// is left alone and takes no line. A dialog with a table of lines to tick (the 测段表) takes the
// line numbers to tick in order, as "1,2": every ticked line is unticked, those are ticked with
// Space in the 次序 column, and 确定 is clicked; "<Cancel>" presses Escape instead.
//
// Record, one line per box, in order: "ask <label>", "refuse <text>", "error <text>" or "pick
// <the dialog's message once the lines are ticked>", each followed by " | " and what `fieldTexts`
// returned at that moment.
//
// Nothing may hang: when the script runs out, or `patience` has passed, the user gives up and
// escapes every box from then on, which ends any run; failure() then says why.
class ModalUser : public QObject {
    Q_OBJECT

public:
    ModalUser(QStringList script, std::function<QString()> fieldTexts,
              std::chrono::milliseconds patience = std::chrono::seconds(20));

    // Called with each box before it is answered, to look at it while it is open.
    void inspectEachBox(std::function<void(QWidget& box)> inspector) {
        inspector_ = std::move(inspector);
    }

    const QStringList& record() const { return record_; }

    // Empty when every box was answered from the script in time and no line was left over.
    QString failure() const;

private:
    void answerOpenBox();
    void pickLines(QDialog& picker, QTableView& lines, const QString& fields);
    void giveUp(const QString& reason);
    QString nextLine();

    QStringList script_;
    std::function<QString()> fieldTexts_;
    std::function<void(QWidget&)> inspector_;
    QStringList record_;
    QString failure_;
    QTimer poll_;
    QTimer watchdog_;
    QWidget* lastBox_ = nullptr;
};
