#pragma once

#include "formats/field_line_list.h"

#include <QAbstractTableModel>
#include <cstddef>
#include <vector>

namespace velmora {

// The 测段表's lines for a table view: first a 次序 column, whose box ticks a line into the route
// and which shows each ticked line's place in it, then the columns of listedLines. Ticking puts
// a line at the route's end; unticking takes it out, and the lines after it move up a place. A
// line that cannot be a section has no box.
//   FieldLinesModel(listedLines(lines of gsi8_bf.gsi), {}) -> 2 rows, 16 columns, route() {}
//   then ticking line 2 and line 1 -> route() {2, 1}; the 次序 of row 0 (line 1) shows "2"
//   then unticking line 2 -> route() {1}; row 0 shows "1"
class FieldLinesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // `route`: the line numbers ticked at the start, in their order.
    FieldLinesModel(std::vector<ListedLine> listed, std::vector<std::size_t> route,
                    QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Ticks or unticks a line through its 次序 box (Qt::CheckStateRole); nothing else is edited.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The ticked lines' numbers in the order they were ticked: the route.
    const std::vector<std::size_t>& route() const noexcept { return route_; }

signals:
    void routeChanged();

private:
    void placeRoute();

    std::vector<ListedLine> listed_; // line k at row k - 1
    std::vector<std::size_t> route_;
    std::vector<std::size_t> places_; // by row: its place in the route from 1, or 0
};

} // namespace velmora
