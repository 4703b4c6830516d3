#include "printing/paged_report_printer.h"

#include "printing/qt_text.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace velmora {

namespace {
constexpr double twipsPerInch = 1440.0;

double fromTwips(int twips, int dotsPerInch) {
    return twips * dotsPerInch / twipsPerInch;
}

// The report's numbers, integer and fixed texts: "12", "-0.012". A reader takes a number cut in
// two for two numbers, so these are never broken.
bool isNumber(std::string_view item) {
    if (item.starts_with('-'))
        item.remove_prefix(1);
    const auto digits = [](std::string_view text) {
        return !text.empty() &&
               std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::size_t point = item.find('.');
    if (point == std::string_view::npos)
        return digits(item);
    return digits(item.substr(0, point)) && digits(item.substr(point + 1));
}

// The rows `items` take where a row holds `room` device pixels: each row as full as it can be,
// blanks where a row ends left out. The label before the line's first number ("高程  :   Ha=",
// " :  h(0)=") stays whole with that number and all that follows, so that no value is parted from
// its label; the text before it, a point's name, is broken between two characters as the reader
// sees them (never inside one). Where that tail alone is wider than a row, only numbers stay
// whole and every other text breaks. A row takes at least one piece, so a piece wider than `room`
// stands alone on its row.
QStringList rowsWithin(std::initializer_list<std::string_view> items, const QFontMetricsF& metrics,
                       double room) {
    QStringList rows(1);
    const auto place = [&](QStringView piece) {
        if (!rows.back().isEmpty() &&
            metrics.horizontalAdvance(rows.back() + piece.toString()) > room)
            rows.emplace_back();
        // A break takes the blanks at it, so that the next row shows at the line's own column.
        if (rows.size() > 1 && rows.back().isEmpty())
            while (!piece.isEmpty() && piece.front().isSpace())
                piece = piece.mid(1);
        rows.back() += piece;
    };
    const auto placeBroken = [&](std::string_view item) {
        const QString text = toQString(item);
        if (isNumber(item)) {
            place(text);
            return;
        }
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
        for (qsizetype from = 0, to = 0; (to = characters.toNextBoundary()) != -1; from = to)
            place(QStringView(text).mid(from, to - from));
    };

    const auto* const firstNumber = std::find_if(std::next(items.begin()), items.end(), isNumber);
    const auto* const tailBegin = firstNumber == items.end() ? items.end() : std::prev(firstNumber);
    QString tail;
    for (const auto* item = tailBegin; item != items.end(); ++item)
        tail += toQString(*item);
    if (tail.isEmpty() || metrics.horizontalAdvance(tail.trimmed()) > room) {
        for (std::string_view item : items)
            placeBroken(item);
        return rows;
    }
    for (const auto* item = items.begin(); item != tailBegin; ++item)
        placeBroken(*item);
    place(tail);
    return rows;
}
} // namespace

PagedReportPrinter::PagedReportPrinter(QPagedPaintDevice& device)
    : device_(device) {
    fontChanged();
}

void PagedReportPrinter::setHorizontalPosition(int twips) {
    x_ = fromTwips(twips, device_.logicalDpiX());
}

void PagedReportPrinter::setVerticalPosition(int twips) {
    y_ = fromTwips(twips, device_.logicalDpiY());
    top_ = y_;
}

void PagedReportPrinter::setFontName(std::string_view name) {
    font_.setFamily(toQString(name));
    fontChanged();
}

void PagedReportPrinter::setFontSize(int points) {
    font_.setPointSize(points);
    fontChanged();
}

void PagedReportPrinter::fontChanged() {
    metrics_ = QFontMetricsF(font_, &device_);
    columnWidth_ = metrics_.averageCharWidth();
    // A font that gives no average width is measured by its digits, which every report line has.
    if (columnWidth_ <= 0.0)
        columnWidth_ = metrics_.horizontalAdvance(QLatin1Char('0'));
    lineHeight_ = metrics_.height();
    ascent_ = metrics_.ascent();
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PagedReportPrinter::beginIfNeeded() {
    if (painter_.isActive())
        return;
    beginningDocument();
    checkDevice(Exchange::documentBegun, painter_.begin(&device_));
    painter_.setFont(font_);
    pages_ = 1;
}

void PagedReportPrinter::printLine(int column, std::initializer_list<std::string_view> items) {
    beginIfNeeded();
    const double columnX = (column - 1) * columnWidth_;
    if (x_ > columnX)
        y_ += lineHeight_;
    text_.clear();
    for (std::string_view item : items)
        text_.append(toQString(item));
    const double room = device_.width() - columnX;
    // Measuring a line costs more than painting it; a line of few characters needs no measure.
    if (static_cast<double>(text_.size()) * metrics_.maxWidth() <= room ||
        metrics_.horizontalAdvance(text_) <= room) {
        paintRow(columnX, text_);
    } else {
        for (const QString& row : rowsWithin(items, metrics_, room))
            paintRow(columnX, row);
    }
    x_ = 0.0;
}

void PagedReportPrinter::paintRow(double columnX, const QString& row) {
    if (y_ + lineHeight_ > device_.height() && y_ > top_) {
        // The page just left is what the device writes out or sends on.
        checkDevice(Exchange::pageBegun, device_.newPage());
        ++pages_;
        y_ = top_;
    }
    painter_.drawText(QPointF(columnX, y_ + ascent_), row);
    y_ += lineHeight_;
}

void PagedReportPrinter::printEmptyLine() {
    beginIfNeeded();
    x_ = 0.0;
    y_ += lineHeight_;
}

void PagedReportPrinter::endDocument() {
    beginIfNeeded();
    checkDevice(Exchange::documentEnded, painter_.end());
}

void PagedReportPrinter::stopPainting() {
    if (painter_.isActive())
        painter_.end();
}

QPageSize pageSizeFor(const PaperSize& paper) {
    if (paper.width <= 0 || paper.length <= 0)
        return {QPageSize::A4};
    return QPageSize(QSizeF(paper.width / 100.0, paper.length / 100.0), QPageSize::Millimeter,
                     QString(), QPageSize::FuzzyMatch);
}

QPageLayout reportPageLayout(const QPageSize& size) {
    return {
        size, QPageLayout::Portrait,
        QMarginsF(reportMarginPoints, reportMarginPoints, reportMarginPoints, reportMarginPoints),
        QPageLayout::Point};
}

} // namespace velmora
