#include "formats/table_text.h"

#include <string_view>

namespace velmora {

namespace {

// A text beginning with one of these is a formula to a spreadsheet; one beginning with an
// apostrophe would lose it to the spreadsheet, which takes a leading apostrophe for its own mark of
// a text.
constexpr std::string_view guardedStarts = "=+-@\t\r'";

bool needsApostrophe(const Cell& cell) {
    return !cell.isNumber() && !cell.text.empty() &&
           guardedStarts.find(cell.text.front()) != std::string_view::npos;
}

// The cell as a separated field: apostrophed where needed, quoted when it holds any of `specials`.
void appendField(std::string& text, const Cell& cell, std::string_view specials) {
    const std::string_view apostrophe = needsApostrophe(cell) ? "'" : "";
    if (cell.text.find_first_of(specials) == std::string::npos) {
        text.append(apostrophe).append(cell.text);
        return;
    }
    text.append("\"").append(apostrophe);
    for (const char c : cell.text) {
        if (c == '"')
            text += '"';
        text += c;
    }
    text += '"';
}

std::string separatedText(std::string text, const ResultsTable& table, char separator,
                          std::string_view lineEnd, std::string_view specials) {
    for (const std::vector<Cell>& row : table.rows) {
        for (std::size_t j = 0; j < row.size(); ++j) {
            if (j > 0)
                text += separator;
            appendField(text, row[j], specials);
        }
        text.append(lineEnd);
    }
    return text;
}

void appendEscaped(std::string& html, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\'':
            html += "&#39;";
            break;
        default:
            html += c;
        }
    }
}

// LibreOffice Calc ignores mso-number-format and reads its own attributes: the value, parsed in
// the language before the first semicolon, and the format code, written in that language and
// shown in the user's own (format language 0). A General cell has no code after the language, as
// Calc writes it, since the word for General differs from language to language. Number texts
// hold nothing that needs escaping.
void appendCalcNumber(std::string& html, const Cell& cell) {
    html.append(" sdval=\"").append(cell.text).append("\" sdnum=\"2052;");
    if (cell.numberFormat != "General")
        html.append("0;").append(cell.numberFormat);
    html += "\"";
}

} // namespace

std::string tabSeparatedText(const ResultsTable& table) {
    return separatedText({}, table, '\t', "\n", "\t\r\n\"");
}

std::string csvText(const ResultsTable& table) {
    return separatedText("\xEF\xBB\xBF", table, ',', "\r\n", ",\"\r\n");
}

std::string htmlText(const ResultsTable& table) {
    std::string html = "<html><head><meta charset=\"utf-8\"></head><body><table>\n";
    for (const std::vector<Cell>& row : table.rows) {
        html += "<tr>";
        for (const Cell& cell : row) {
            html += "<td style=\"mso-number-format:";
            if (!cell.isNumber())
                html += "'\\@'";
            else if (cell.numberFormat == "General")
                html += "General";
            else
                html.append("'").append(cell.numberFormat).append("'");
            html += "\"";
            if (cell.isNumber())
                appendCalcNumber(html, cell);
            html += ">";
            if (needsApostrophe(cell))
                html += "&#39;";
            appendEscaped(html, cell.text);
            html += "</td>";
        }
        html += "</tr>\n";
    }
    return html += "</table></body></html>\n";
}

} // namespace velmora
