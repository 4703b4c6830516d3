#include "tests/tools/report_recorder.h"

#include <stdexcept>

namespace velmora {

void ReportRecorder::printLine(int column, std::initializer_list<std::string_view> items) {
    if (items.size() < 1 || items.size() > 3)
        throw std::logic_error("a report line takes one to three items");
    record_ << "line " << column << ' ' << fontSize_ << ' ';
    for (std::string_view item : items)
        record_ << item;
    record_ << '\n';
}

} // namespace velmora
