#pragma once

#include "core/leveling_route.h"
#include "formats/table_run.h"
#include "ui/window_fields.h"

#include <QWidget>

class QAction;
class QDragEnterEvent;
class QDropEvent;

namespace velmora {

// The program's only window: fixed captions, nine display fields framed by red lines, and the
// three buttons that start a calculation run, end the program and print the report. It owns the
// route for its whole life; nothing it shows is ever read back.
class Velmora : public QWidget {
    Q_OBJECT

public:
    explicit Velmora(QWidget* parent = nullptr);

public slots:
    // Runs a whole calculation from its first prompt to its last result. A run that fails shows
    // its message; a run the user abandoned shows nothing more. The window stays usable.
    void Command1_Click();

    // Ends the program at once with status 0; nothing is asked or saved.
    void Command2_Click();

    // Prints the report of the route as the last run left it, off the window's thread behind a
    // progress box; a failure shows its message, 取消 shows nothing more. Where there is no
    // printer at all, the message offers to keep the report as a PDF file instead.
    void Command3_Click();

    // Puts the last finished route's results table on the clipboard (Ctrl+C).
    void copyResults();

    // Keeps the last finished route's report as PDF or its results table as CSV (Ctrl+S).
    void saveResults();

    // Runs the route table on the clipboard as a calculation (Ctrl+V).
    void pasteRoute();

    // Runs a route table file the user picks as a calculation (Ctrl+O).
    void openRoute();

protected:
    // A table file or a table's text dropped on the window is run as the pasted one would be.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Shows the message of an Error that ends `work`, except for a run the user abandoned.
    template <typename Work> void reportingFailure(Work work);

    // Makes the results' actions and the misclosure field's account of the limits say what the
    // route now holds.
    void showResultsState();

    // Shows a route read from a table as its run left it, and keeps it in place of the last.
    void takeRoute(TableRun&& read);

    // Tells the user that nothing can be printed here, with 存为 PDF… as the answer.
    void offerPdfInstead(const QString& message);

    LevelingRoute route_;
    WindowFields fields_;
    QAction* copyAction_;
    QAction* saveAction_;
};

} // namespace velmora
