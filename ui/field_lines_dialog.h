#pragma once

#include "formats/field_file.h"
#include "formats/field_line_list.h"

#include <QDialog>
#include <cstddef>
#include <vector>

class QLabel;
class QPushButton;

namespace velmora {

class FieldLinesModel;

// The 测段表: every line of a field file in a table, for the user to tick the route's lines in
// the route's order, under a line that says where the ticked lines break their chain, or the
// route they make (checkRoute); 确定 waits until they make one. It opens with initialRoute ticked.
// Modal over `window`, titled with the file's name.
//   FieldLinesDialog(lines of gsi8_bf.gsi, their listing, "gsi8_bf.gsi", window)
//     -> both lines ticked, "路线从 BM1 到 BM3，共 2 段，1 个待定点。", 确定 enabled
//   then unticking line 1 -> route() {2}, "路线从 BM2 到 BM3，共 1 段，0 个待定点。"
class FieldLinesDialog : public QDialog {
    Q_OBJECT

public:
    FieldLinesDialog(const std::vector<FieldLine>& lines, std::vector<ListedLine> listed,
                     const QString& fileName, QWidget* window);

    // The ticked lines' numbers, in the route's order.
    const std::vector<std::size_t>& route() const;

private:
    void showRouteCheck();

    const std::vector<FieldLine>& lines_;
    FieldLinesModel* model_;
    QLabel* chainMessage_;
    QPushButton* ok_ = nullptr;
};

} // namespace velmora
