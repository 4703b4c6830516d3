#include "ui/route_import.h"

#include "core/errors.h"
#include "formats/text_decoding.h"
#include "printing/user_file.h"
#include "ui/background_work.h"
#include "ui/documents_folder.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

namespace velmora {

namespace {

TableRun readInBackground(QWidget& window, const std::function<TableRun()>& read) {
    TableRun run;
    runInBackground(window, QStringLiteral("正在读入路线……"), [&](const std::stop_token& stop) {
        run = read();
        // 取消 pressed while the table was read keeps the window as it was.
        if (stop.stop_requested())
            throw Abandoned("读入已取消。");
    });
    return run;
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

TableRun routeFromFile(QWidget& window, const QString& fileName) {
    return readInBackground(window, [&fileName] {
        const std::string bytes = readUpTo(fileName, mostTableBytes);
        try {
            return runTable(bytes);
        } catch (const Error& refused) {
            throw Error("无法读入路线表“" + QFileInfo(fileName).fileName().toStdString() + "”：" +
                        refused.what());
        }
    });
}

QString askRouteFile(QWidget& window) {
    return QFileDialog::getOpenFileName(&window, QStringLiteral("打开路线表"), documentsFolder(),
                                        QStringLiteral("路线表 (*.csv *.tsv *.txt);;所有文件 (*)"));
}

} // namespace velmora
