#pragma once

#include "dialogue/report_printer.h"

#include <ostream>

namespace velmora {

// A printer that writes down what the report prints, one operation a line:
//   line <column> <size> <text>   a report line: its items joined, the font size in points
//   empty                         an empty line
//   end                           the end of the document
// Positions and the font name are taken without a record of their own. A line of no item or of
// more than three is a fault of the report and raises std::logic_error.
class ReportRecorder : public ReportPrinter {
public:
    explicit ReportRecorder(std::ostream& record)
        : record_(record) {}

    void setHorizontalPosition(int) override {}
    void setVerticalPosition(int) override {}
    void setFontName(std::string_view) override {}
    void setFontSize(int points) override { fontSize_ = points; }
    void printLine(int column, std::initializer_list<std::string_view> items) override;
    void printEmptyLine() override { record_ << "empty\n"; }
    void endDocument() override { record_ << "end\n"; }

private:
    std::ostream& record_;
    int fontSize_ = 0;
};

} // namespace velmora
