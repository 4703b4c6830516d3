#include "formats/delimited_text.h"

#include "core/errors.h"
#include "core/number_text.h"

namespace velmora {

namespace {
constexpr std::string_view ideographicSpace = "\u3000";
}

RowReader::RowReader(std::string_view text)
    : text_(text)
    , separator_(text.find('\t') != std::string_view::npos  ? Separator::tab
                 : text.find(',') != std::string_view::npos ? Separator::comma
                                                            : Separator::blanks) {}

std::optional<TableRow> RowReader::next() {
    if (at_ == text_.size())
        return std::nullopt;
    ++rowsRead_;
    TableRow row;
    for (;;) {
        if (separator_ == Separator::blanks)
            skipBlanks();
        if (at_ == text_.size())
            return row;
        if (atLineEnd()) {
            at_ += text_.substr(at_).starts_with("\r\n") ? 2 : 1;
            // A tab or comma row whose line holds nothing is one empty cell.
            if (row.empty() && separator_ != Separator::blanks)
                row.emplace_back();
            return row;
        }
        readCell(row);
    }
}

// The blanks that stand at `at_`, in bytes; 0 when none does.
std::size_t RowReader::blankLength() const {
    if (text_[at_] == ' ')
        return 1;
    return text_.substr(at_).starts_with(ideographicSpace) ? ideographicSpace.size() : 0;
}

void RowReader::skipBlanks() {
    while (at_ < text_.size() && blankLength() > 0)
        at_ += blankLength();
}

bool RowReader::atLineEnd() const {
    return text_[at_] == '\n' || text_[at_] == '\r';
}

bool RowReader::atSeparator() const {
    switch (separator_) {
    case Separator::tab:
        return text_[at_] == '\t';
    case Separator::comma:
        return text_[at_] == ',';
    case Separator::blanks:
        break;
    }
    return blankLength() > 0;
}

// Reads one cell and the separator after it, leaving `at_` on the line end or the next cell.
void RowReader::readCell(TableRow& row) {
    std::string cell;
    if (text_[at_] == '"')
        readQuoted(cell);
    const std::size_t start = at_;
    while (at_ < text_.size() && !atLineEnd() && !atSeparator())
        ++at_;
    cell.append(text_.substr(start, at_ - start));
    addCell(row, std::move(cell));
    if (at_ == text_.size() || !atSeparator())
        return;
    if (separator_ == Separator::blanks) {
        skipBlanks();
        return;
    }
    ++at_;
    // A separator that ends the line still stands before one more, empty cell.
    if (at_ == text_.size() || atLineEnd())
        addCell(row, {});
}

void RowReader::addCell(TableRow& row, std::string cell) const {
    if (row.size() == mostCellsInRow)
        throw Error("第 " + countText(rowsRead_) + " 行的格子太多：超过了 " +
                    countText(mostCellsInRow) +
                    " 格，电子表格的一行没有这么宽，这不是一条水准路线的表格。");
    row.push_back(std::move(cell));
}

void RowReader::readQuoted(std::string& cell) {
    ++at_;
    for (;;) {
        const std::size_t quote = text_.find('"', at_);
        if (quote == std::string_view::npos)
            throw Error("第 " + countText(rowsRead_) +
                        " 行的引号没有配对：一个格子以引号开头，但到表格末尾也没有结束它的引号。");
        cell.append(text_.substr(at_, quote - at_));
        at_ = quote + 1;
        if (at_ == text_.size() || text_[at_] != '"')
            return;
        cell += '"';
        ++at_;
    }
}

} // namespace velmora
