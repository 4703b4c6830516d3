#include "ui/results_keeping.h"

#include "core/errors.h"
#include "dialogue/report.h"
#include "formats/results_file_name.h"
#include "formats/table_text.h"
#include "printing/qt_text.h"
#include "printing/report_file.h"
#include "printing/user_file.h"
#include "ui/background_work.h"
#include "ui/documents_folder.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFileDialog>
#include <QMimeData>
#include <algorithm>
#include <array>

namespace velmora {

namespace {

struct FileForm {
    SavedForm form;
    const char* filter;
    const char* suffix;
};

constexpr std::array<FileForm, 2> fileForms{{
    {SavedForm::reportPdf, "平差报表 PDF (*.pdf)", "pdf"},
    {SavedForm::tableCsv, "成果表 CSV (*.csv)", "csv"},
}};

const FileForm& formOf(SavedForm form) {
    return *std::find_if(fileForms.begin(), fileForms.end(),
                         [form](const FileForm& each) { return each.form == form; });
}

} // namespace

void copyResultsTable(QWidget& window, const LevelingRoute& route) {
    // A long route's texts take longer to make than the window may wait.
    QString text;
    QString html;
    runInBackground(window, QStringLiteral("正在复制……"),
                    [&text, &html, &route](const std::stop_token& stop) {
                        const ResultsTable table = resultsTable(route);
                        text = toQString(tabSeparatedText(table));
                        html = toQString(htmlText(table));
                        if (stop.stop_requested())
                            throw Abandoned("复制已取消。");
                    });
    auto* both = new QMimeData;
    both->setText(text);
    both->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(both);
}

void saveResultsAs(QWidget& window, const LevelingRoute& route, SavedForm first) {
    const std::string name =
        suggestedFileName(route, QDate::currentDate().toString(Qt::ISODate).toStdString());
    QFileDialog dialog(&window, QStringLiteral("另存为"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const FileForm& form : fileForms)
        filters.append(QString::fromUtf8(form.filter));
    dialog.setNameFilters(filters);
    const auto choose = [&dialog, &name](const FileForm& form) {
        dialog.selectNameFilter(QString::fromUtf8(form.filter));
        dialog.setDefaultSuffix(QString::fromLatin1(form.suffix));
        dialog.selectFile(toQString(name) + QLatin1Char('.') + QLatin1String(form.suffix));
    };
    dialog.setDirectory(documentsFolder());
    choose(formOf(first));
    // A name typed without a suffix takes the chosen type's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        for (const FileForm& form : fileForms)
            if (filter == QString::fromUtf8(form.filter))
                dialog.setDefaultSuffix(QString::fromLatin1(form.suffix));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().front();
    // The name's own suffix says what is written, whatever type is chosen in the list.
    const bool csv =
        fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ||
        (!fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) &&
         dialog.selectedNameFilter() == QString::fromUtf8(formOf(SavedForm::tableCsv).filter));
    runInBackground(window, QStringLiteral("正在保存……"),
                    [&fileName, csv, copy = route](const std::stop_token& stop) {
                        if (!csv) {
                            saveReportPdf(copy, fileName, stop);
                            return;
                        }
                        const std::string bytes = csvText(resultsTable(copy));
                        if (stop.stop_requested())
                            throw Abandoned("保存已取消。");
                        saveWhole(fileName, bytes);
                    });
}

} // namespace velmora
