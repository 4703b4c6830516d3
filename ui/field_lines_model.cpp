#include "ui/field_lines_model.h"

#include "printing/qt_text.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int placeColumn = 0;

} // namespace

FieldLinesModel::FieldLinesModel(std::vector<ListedLine> listed, std::vector<std::size_t> route,
                                 QObject* parent)
    : QAbstractTableModel(parent)
    , listed_(std::move(listed))
    , route_(std::move(route)) {
    placeRoute();
}

int FieldLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(listed_.size());
}

int FieldLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(listedColumnCount) + 1;
}

QVariant FieldLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const ListedLine& line = listed_[row];
    if (index.column() == placeColumn) {
        if (role == Qt::CheckStateRole && line.tickable)
            return places_[row] > 0 ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::DisplayRole && places_[row] > 0)
            return QString::number(places_[row]);
        return {};
    }
    // A reason may be longer than its column is wide.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return toQString(line.cells[static_cast<std::size_t>(index.column() - 1)]);
    return {};
}

QVariant FieldLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == placeColumn)
        return QStringLiteral("次序");
    // The unit on a line of its own keeps the columns of short figures narrow.
    return toQString(listedColumnTitles.at(static_cast<std::size_t>(section - 1)))
        .replace(QStringLiteral("（"), QStringLiteral("\n（"));
}

Qt::ItemFlags FieldLinesModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.isValid() && index.column() == placeColumn &&
        listed_[static_cast<std::size_t>(index.row())].tickable)
        return shown | Qt::ItemIsUserCheckable;
    return shown;
}

bool FieldLinesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || (flags(index) & Qt::ItemIsUserCheckable) == 0)
        return false;
    const std::size_t number = listed_[static_cast<std::size_t>(index.row())].number;
    const auto ticked = std::ranges::find(route_, number);
    const bool tick = value.toInt() == Qt::Checked;
    if (tick == (ticked != route_.end()))
        return true;
    if (tick)
        route_.push_back(number);
    else
        route_.erase(ticked);
    placeRoute();
    emit dataChanged(this->index(0, placeColumn), this->index(rowCount() - 1, placeColumn));
    emit routeChanged();
    return true;
}

void FieldLinesModel::placeRoute() {
    places_.assign(listed_.size(), 0);
    for (std::size_t place = 1; place <= route_.size(); ++place)
        places_[route_[place - 1] - 1] = place;
}

} // namespace velmora
