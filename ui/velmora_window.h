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

    // Runs the route of a file the user picks (Ctrl+O), as openRouteFile does.
    void openRoute();

    // Runs the route in `fileName` as a calculation: a route table, or a digital level's field
    // file whose route the user picks in the 测段表 and whose heights the run's prompts ask for.
    // A file that is refused shows the message naming it; 取消 shows nothing. Either leaves the
    // window and the route as they were.
    //   openRouteFile("/home/u/worked.csv") -> the window as after typing the worked route
    //   openRouteFile("/home/u/gsi8_bf.gsi") -> the 测段表; lines 1 and 2, Ha 45.123 and Hb 45.18
    //     leave the window as after typing BM1 -> BM2 -> BM3, the results table with 测站数
    //   openRouteFile("/home/u/bad.gsi") -> "无法读入观测文件“bad.gsi”：第 4 行：…"
    void openRouteFile(const QString& fileName);

protected:
    // A file dropped on the window is opened as openRouteFile does; a table's text dropped is run
    // as the pasted one would be.
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
