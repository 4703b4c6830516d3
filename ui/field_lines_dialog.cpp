#include "ui/field_lines_dialog.h"

#include "formats/field_route.h"
#include "printing/qt_text.h"
#include "ui/field_lines_model.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

// A reason runs to a sentence or two, wrapped in a column no wider than this.
constexpr int widestReason = 360;
constexpr int rowsShown = 12;
// Columns are as wide as the first lines need: measuring every cell of a file of a thousand lines
// would keep the window waiting on its thread.
constexpr int rowsMeasured = 100;

// As wide as the columns need and as tall as a dozen lines, within most of the screen.
QSize openingSize(const QTableView& view, const QDialog& dialog) {
    int width = view.verticalHeader()->width() + 2 * view.frameWidth() + 40;
    for (int column = 0; column < view.model()->columnCount(); ++column)
        width += view.columnWidth(column);
    const int rows = std::min(view.model()->rowCount(), rowsShown);
    const int height = view.horizontalHeader()->height() + rows * view.rowHeight(0) + 160;
    const QRect screen =
        (dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen())->availableGeometry();
    return {std::min(width, screen.width() * 9 / 10), std::min(height, screen.height() * 8 / 10)};
}

} // namespace

FieldLinesDialog::FieldLinesDialog(const std::vector<FieldLine>& lines,
                                   std::vector<ListedLine> listed, const QString& fileName,
                                   QWidget* window)
    : QDialog(window)
    , lines_(lines)
    , model_(new FieldLinesModel(std::move(listed), initialRoute(lines), this))
    , chainMessage_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("测段表：") + fileName);
    auto* view = new QTableView(this);
    view->setModel(model_);
    view->verticalHeader()->hide();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->horizontalHeader()->setResizeContentsPrecision(rowsMeasured);
    view->resizeColumnsToContents();
    const int reasonColumn = static_cast<int>(ListedColumn::refusal) + 1;
    view->setColumnWidth(reasonColumn, std::min(view->columnWidth(reasonColumn), widestReason));
    view->horizontalHeader()->setStretchLastSection(true);
    // A reason is read whole in its row, grown to hold it; past the rows measured it is in the
    // cell's tooltip.
    for (int row = 0, grown = 0; row < model_->rowCount() && grown < rowsMeasured; ++row)
        if (!model_->index(row, reasonColumn).data().toString().isEmpty()) {
            view->resizeRowToContents(row);
            ++grown;
        }
    // Space ticks the first line at once; nothing looks selected until the user moves.
    view->selectionModel()->setCurrentIndex(model_->index(0, 0), QItemSelectionModel::NoUpdate);

    chainMessage_->setTextFormat(Qt::PlainText);
    chainMessage_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(model_, &FieldLinesModel::routeChanged, this, &FieldLinesDialog::showRouteCheck);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(chainMessage_);
    layout->addWidget(buttons);
    showRouteCheck();
    resize(openingSize(*view, *this));
}

const std::vector<std::size_t>& FieldLinesDialog::route() const {
    return model_->route();
}

void FieldLinesDialog::showRouteCheck() {
    const RouteCheck check = checkRoute(lines_, model_->route());
    chainMessage_->setText(toQString(check.message));
    ok_->setEnabled(check.runnable);
}

} // namespace velmora
