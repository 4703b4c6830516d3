#include "ui/route_import.h"

#include "core/errors.h"
#include "formats/field_run.h"
#include "formats/text_decoding.h"
#include "printing/user_file.h"
#include "ui/background_work.h"
#include "ui/dialog_prompter.h"
#include "ui/documents_folder.h"
#include "ui/field_lines_dialog.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

namespace velmora {

namespace {

template <typename Read> auto readInBackground(QWidget& window, const Read& read) {
    decltype(read()) result;
    runInBackground(window, QStringLiteral("正在读入路线……"), [&](const std::stop_token& stop) {
        result = read();
        // 取消 pressed while the file was read keeps the window as it was.
        if (stop.stop_requested())
            throw Abandoned("读入已取消。");
    });
    return result;
}

// `read` of the file's bytes, its refusal named with `what` the file is and its name.
template <typename Read>
auto refusalNamed(const char* what, const QString& fileName, const Read& read) {
    try {
        return read();
    } catch (const Error& refused) {
        throw Error(std::string("无法读入") + what + "“" +
                    QFileInfo(fileName).fileName().toStdString() + "”：" + refused.what());
    }
}

} // namespace

TableRun routeFromText(QWidget& window, const std::string& text) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        throw Error("没有可以读入的路线表：请先在电子表格中选中路线的表格（从表头到闭合点 B "
                    "那一行）并复制，再按 Ctrl+V。");
    return readInBackground(window, [&text] { return runTable(text); });
}

TableRun routeFromClipboard(QWidget& window) {
    return routeFromText(window, QGuiApplication::clipboard()->text().toStdString());
}

std::variant<TableRun, FieldFileLines> readRouteFile(QWidget& window, const QString& fileName) {
    return readInBackground(window, [&fileName]() -> std::variant<TableRun, FieldFileLines> {
        const std::string bytes = readUpTo(fileName, mostTableBytes);
        if (!isFieldFile(bytes))
            return refusalNamed("路线表", fileName, [&] { return runTable(bytes); });
        return refusalNamed("观测文件", fileName, [&] {
            FieldFileLines read{readFieldFile(bytes), {}};
            read.listed = listedLines(read.lines);
            return read;
        });
    });
}

TableRun routeFromFile(QWidget& window, const QString& fileName, RunObserver& echo) {
    std::variant<TableRun, FieldFileLines> read = readRouteFile(window, fileName);
    if (auto* table = std::get_if<TableRun>(&read))
        return std::move(*table);
    auto& field = std::get<FieldFileLines>(read);
    FieldLinesDialog picking(field.lines, std::move(field.listed), QFileInfo(fileName).fileName(),
                             &window);
    if (picking.exec() != QDialog::Accepted)
        throw Abandoned("没有选定路线。");
    DialogPrompter heights(&window);
    return runFieldRoute(field.lines, picking.route(), heights, echo);
}

QString askRouteFile(QWidget& window) {
    return QFileDialog::getOpenFileName(
        &window, QStringLiteral("打开路线表或观测文件"), documentsFolder(),
        QStringLiteral("路线表和观测文件 (*.csv *.tsv *.txt *.gsi *.dat *.m5 *.rec *.din);;"
                       "路线表 (*.csv *.tsv *.txt);;"
                       "水准仪观测文件 (*.gsi *.dat *.m5 *.rec *.din *.txt);;所有文件 (*)"));
}

} // namespace velmora
