#include "tests/report/printed_lines.h"

#include "dialogue/report.h"
#include "printing/pdf_report_printer.h"
#include "tests/tools/report_recorder.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>
#include <stdexcept>

namespace velmora {

namespace {

QString output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw std::runtime_error((program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                                  QStringLiteral(" failed: ") +
                                  QString::fromUtf8(process.readAllStandardError()))
                                     .toStdString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

int columns(QChar c) {
    return c.unicode() >= 0x2e80 ? 2 : 1;
}

int columns(const QString& text) {
    return std::accumulate(text.begin(), text.end(), 0,
                           [](int count, QChar c) { return count + columns(c); });
}

struct Word {
    int page;
    double left, top, width, height;
    QString text;
};

// The text box of a word is about 1.049 times the font size high in the report's font.
constexpr double boxHeightPerPoint = 1.049;

} // namespace

QString PrintedLine::record(double printableLeft) const {
    const long column = std::lround((left - printableLeft) / columnWidth) + 1;
    return QStringLiteral("line %1 %2 %3").arg(column).arg(fontSize).arg(text);
}

QList<PrintedLine> printedLines(const QString& pdfFile) {
    // level page par block line word left top width height conf text
    QList<Word> words;
    const QStringList rows =
        output(QStringLiteral("pdftotext"), {QStringLiteral("-tsv"), pdfFile, QStringLiteral("-")})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& row : rows) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        if (cells.size() < 12 || cells[0] != QLatin1String("5"))
            continue;
        words.append({cells[1].toInt(), cells[6].toDouble(), cells[7].toDouble(),
                      cells[8].toDouble(), cells[9].toDouble(), cells.mid(11).join('\t')});
    }
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        if (a.page != b.page)
            return a.page < b.page;
        if (std::abs(a.top - b.top) > 0.5)
            return a.top < b.top;
        return a.left < b.left;
    });

    QList<PrintedLine> lines;
    double right = 0.0;
    for (const Word& word : words) {
        const double width = word.width / columns(word.text);
        const bool sameLine = !lines.isEmpty() && lines.back().page == word.page &&
                              std::abs(lines.back().top - word.top) <= 0.5;
        if (!sameLine) {
            PrintedLine line;
            line.page = word.page;
            line.top = word.top;
            line.left = word.left;
            line.bottom = word.top + word.height;
            line.right = word.left + word.width;
            line.columnWidth = width;
            line.fontSize = static_cast<int>(std::lround(word.height / boxHeightPerPoint));
            line.text = word.text;
            lines.append(line);
        } else {
            PrintedLine& line = lines.back();
            const long blanks = std::lround((word.left - right) / line.columnWidth);
            line.text += QString(static_cast<qsizetype>(std::max(blanks, 0L)), QLatin1Char(' '));
            line.text += word.text;
            line.right = word.left + word.width;
        }
        right = word.left + word.width;
    }
    return lines;
}

QString textBeyondEdges(const QString& pdfFile) {
    const QString huge = QStringLiteral("100000");
    return output(QStringLiteral("pdftotext"),
                  {QStringLiteral("-x"), QStringLiteral("0"), QStringLiteral("-y"),
                   QStringLiteral("0"), QStringLiteral("-W"), huge, QStringLiteral("-H"), huge,
                   pdfFile, QStringLiteral("-")});
}

namespace {
// The value of one field of pdfinfo's account of the file; empty when it gives none.
QString pdfInfo(const QString& pdfFile, const QString& field) {
    const QRegularExpression line(QStringLiteral("^") + field + QStringLiteral(":\\s+(.+)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(output(QStringLiteral("pdfinfo"), {pdfFile})).captured(1).trimmed();
}
} // namespace

int pageCount(const QString& pdfFile) {
    return pdfInfo(pdfFile, QStringLiteral("Pages")).toInt();
}

QString pageSizeOf(const QString& pdfFile) {
    return pdfInfo(pdfFile, QStringLiteral("Page size"));
}

QStringList recordOfPdf(const QString& pdfFile) {
    QStringList lines;
    for (const PrintedLine& line : printedLines(pdfFile))
        lines.append(line.record(reportMarginPoints));
    return lines;
}

QStringList gatheredRecord(const QList<PrintedLine>& lines, const QStringList& expected,
                           double printableLeft) {
    static const QRegularExpression blank(QStringLiteral("\\s"));
    // Each number, with the label it belongs to where it has one.
    static const QRegularExpression labelled(
        QStringLiteral("(?:高程\\s*:\\s*H[ab]=|:\\s*h\\(\\d+\\)=)?-?\\d+\\.\\d+"));
    const auto characters = [](QString text) {
        return text.remove(blank);
    };
    QStringList gathered;
    for (qsizetype next = 0; next < lines.size();) {
        const QString line = expected.value(gathered.size());
        const QString head = line.section(QLatin1Char(' '), 0, 2) + QLatin1Char(' ');
        const QString wanted = characters(line.mid(head.size()));
        QString spelled;
        QStringList rows;
        for (qsizetype row = next; row < lines.size(); ++row) {
            const QString record = lines[row].record(printableLeft);
            if (!record.startsWith(head) ||
                !wanted.startsWith(spelled + characters(record.mid(head.size()))))
                break;
            spelled += characters(record.mid(head.size()));
            rows.append(record.mid(head.size()));
        }
        bool whole = rows.size() > 1 && spelled == wanted;
        for (auto values = labelled.globalMatch(line); whole && values.hasNext();) {
            const QString value = characters(values.next().captured());
            whole = std::any_of(rows.begin(), rows.end(), [&](const QString& row) {
                return characters(row).contains(value);
            });
        }
        gathered.append(whole ? line : lines[next].record(printableLeft));
        next += whole ? rows.size() : 1;
    }
    return gathered;
}

QStringList onPaper(const QString& record) {
    QStringList lines;
    for (const QString& line : record.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("line ")))
            continue;
        const QString text = line.section(QLatin1Char(' '), 3);
        qsizetype blanks = 0;
        while (blanks < text.size() && text[blanks] == QLatin1Char(' '))
            ++blanks;
        lines.append(QStringLiteral("line %1 %2 %3")
                         .arg(line.section(QLatin1Char(' '), 1, 1).toInt() + blanks)
                         .arg(line.section(QLatin1Char(' '), 2, 2), text.mid(blanks)));
    }
    return lines;
}

QStringList recordedOnPaper(const LevelingRoute& route) {
    std::ostringstream record;
    ReportRecorder recorder(record);
    printReport(route, recorder);
    return onPaper(QString::fromStdString(record.str()));
}

} // namespace velmora
