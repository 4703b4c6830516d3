#pragma once

#include "core/leveling_route.h"

class QWidget;

namespace velmora {

// What the user can keep of a finished route besides the printed report.

// Puts the results table of `route` on the clipboard, tab-separated as text/plain for a
// spreadsheet and as an HTML table for a word processor, each number with the format that keeps
// its decimals. The texts are made in the background behind `window`'s progress box. Raises
// NothingToPrint before a finished run.
void copyResultsTable(QWidget& window, const LevelingRoute& route);

// What the save dialog offers first.
enum class SavedForm { reportPdf, tableCsv };

// Asks where to keep the results of `route` (the report as PDF or the results table as CSV, the
// dialog opening on `first`), with a file name made of A's and B's names and today's date in the
// Documents folder, or the home folder where there is none; then writes the file in the
// background behind `window`'s progress box. Returns quietly when the user closes the dialog.
// Raises NothingToPrint before a finished run, and Error naming the file when it cannot be
// written; nothing half-written is left.
void saveResultsAs(QWidget& window, const LevelingRoute& route, SavedForm first);

} // namespace velmora
