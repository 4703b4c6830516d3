#include "core/delimited_text.h"

#include "core/errors.h"
#include "core/number_text.h"

namespace velmora {

namespace {

constexpr std::string_view ideographicSpace = "\u3000";

enum class Separator { tab, comma, blanks };

Separator separatorOf(std::string_view text) {
    if (text.find('\t') != std::string_view::npos)
        return Separator::tab;
    if (text.find(',') != std::string_view::npos)
        return Separator::comma;
    return Separator::blanks;
}

class RowSplitter {
public:
    explicit RowSplitter(std::string_view text)
        : text_(text)
        , separator_(separatorOf(text)) {}

    std::vector<TableRow> rows() {
        while (at_ < text_.size()) {
            if (separator_ == Separator::blanks)
                skipBlanks();
            if (lineEnd())
                endRow();
            else
                readCell();
        }
        if (!row_.empty())
            rows_.push_back(std::move(row_));
        return std::move(rows_);
    }

private:
    // The blanks that stand at `at_`, in bytes; 0 when none does.
    std::size_t blankLength() const {
        if (text_[at_] == ' ')
            return 1;
        return text_.substr(at_).starts_with(ideographicSpace) ? ideographicSpace.size() : 0;
    }
    void skipBlanks() {
        while (at_ < text_.size() && blankLength() > 0)
            at_ += blankLength();
    }

    bool lineEnd() const {
        return at_ < text_.size() && (text_[at_] == '\n' || text_[at_] == '\r');
    }

    // Takes the line end at `at_`. A row of tab or comma cells whose line holds nothing is one
    // empty cell; a blank-separated line that holds nothing is an empty row.
    void endRow() {
        at_ += text_.substr(at_).starts_with("\r\n") ? 2 : 1;
        if (row_.empty() && separator_ != Separator::blanks)
            row_.emplace_back();
        rows_.push_back(std::move(row_));
        row_.clear();
    }

    // Reads one cell and the separator after it, leaving `at_` on the line end or the next cell.
    void readCell() {
        std::string cell;
        if (text_[at_] == '"')
            readQuoted(cell);
        while (at_ < text_.size() && !lineEnd() && !atSeparator())
            cell += text_[at_++];
        row_.push_back(std::move(cell));
        if (at_ < text_.size() && atSeparator()) {
            if (separator_ == Separator::blanks) {
                skipBlanks();
                return;
            }
            ++at_;
            // A separator that ends the line still stands before one more, empty cell.
            if (at_ == text_.size() || lineEnd())
                row_.emplace_back();
        }
    }

    bool atSeparator() const {
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

    void readQuoted(std::string& cell) {
        const std::size_t rowNumber = rows_.size() + 1;
        ++at_;
        for (;;) {
            const std::size_t quote = text_.find('"', at_);
            if (quote == std::string_view::npos)
                throw Error("第 " + integerText(static_cast<long>(rowNumber)) +
                            " 行的引号没有配对：一个格子以引号开头，但到表格末尾也没有结束它的"
                            "引号。");
            cell.append(text_.substr(at_, quote - at_));
            at_ = quote + 1;
            if (at_ == text_.size() || text_[at_] != '"')
                return;
            cell += '"';
            ++at_;
        }
    }

    std::string_view text_;
    Separator separator_;
    std::size_t at_ = 0;
    TableRow row_;
    std::vector<TableRow> rows_;
};

} // namespace

std::vector<TableRow> splitRows(std::string_view text) {
    return RowSplitter(text).rows();
}

} // namespace velmora
