#include "ui/velmora_window.h"

#include "core/errors.h"
#include "dialogue/calculation_run.h"
#include "formats/misclosure_limits.h"
#include "printing/print_failures.h"
#include "printing/qt_text.h"
#include "ui/background_work.h"
#include "ui/control_table.h"
#include "ui/dialog_prompter.h"
#include "ui/plain_controls.h"
#include "ui/results_keeping.h"
#include "ui/route_import.h"
#include "ui/window_font.h"

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <map>

namespace velmora {

namespace {

using namespace controls;

QColor toQColor(Colour colour) {
    return {colour.red, colour.green, colour.blue};
}

void paintButtonFace(QPushButton& button, QStyle* classicStyle) {
    if (classicStyle)
        button.setStyle(classicStyle);
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, toQColor(buttonBackground));
    button.setPalette(palette);
}

QWidget* makeControl(const Control& control, QWidget& window, QStyle* classicStyle) {
    QWidget* widget = plainControl(control, window);
    if (control.kind == Kind::button && control.lightRed)
        paintButtonFace(static_cast<QPushButton&>(*widget), classicStyle);
    widget->setObjectName(toQString(control.name));
    if (!control.accessibleName.empty())
        widget->setAccessibleName(toQString(control.accessibleName));
    return widget;
}

void makeLine(const Line& line, QWidget& window) {
    QFrame* frame = plainLine(line, window);
    frame->setObjectName(toQString(line.name));
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, toQColor(lineColour));
    frame->setPalette(palette);
}

// Builds every control and line on the canvas, chains the focusable ones in their tab order with
// the focus on the first, and hands back the fields by role.
std::array<QLineEdit*, displayFieldCount> makeControls(QWidget& canvas) {
    std::array<QLineEdit*, displayFieldCount> fields{};
    std::map<int, QWidget*> tabOrder;
    // Qt's default style washes a button's colour out into a gradient; the classic style fills the
    // whole face with it, as a coloured button should look.
    QStyle* classicStyle = QStyleFactory::create(QStringLiteral("Windows"));
    if (classicStyle)
        classicStyle->setParent(&canvas);
    for (const Control& control : controlTable) {
        QWidget* widget = makeControl(control, canvas, classicStyle);
        if (control.role)
            fields.at(static_cast<std::size_t>(*control.role)) = static_cast<QLineEdit*>(widget);
        if (control.kind == Kind::label)
            widget->setFocusPolicy(Qt::NoFocus);
        else
            tabOrder.emplace(control.tabIndex, widget);
    }
    for (const Line& line : lineTable)
        makeLine(line, canvas);

    QWidget* previous = nullptr;
    for (const auto& [index, widget] : tabOrder) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    tabOrder.begin()->second->setFocus();
    return fields;
}

// The whole layout with a margin right of and below it.
QSize openingSize() {
    constexpr Extent extent = layoutExtent();
    return {pixels(extent.right + openingMargin), pixels(extent.bottom + openingMargin)};
}

// The controls stand on a canvas inside a scroll area that fills the window, so that a window
// smaller than the layout, on a small screen or shrunk by the user, shows scroll bars instead of
// hiding controls, and the layout keeps its places. The canvas grows with the window and shrinks
// to the layout with a narrow margin, no further: at the opening size no scroll bar shows, and a
// scroll bar along one side leaves room enough not to call for the other. The scroll area takes no
// focus of its own, so that Tab visits the controls alone, and scrolls each into view.
QWidget& makeCanvas(QWidget& window) {
    auto* scrollArea = new QScrollArea(&window);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->setWidgetResizable(true);
    auto* canvas = new QWidget;
    constexpr Extent extent = layoutExtent();
    canvas->setMinimumSize(pixels(extent.right + scrolledMargin),
                           pixels(extent.bottom + scrolledMargin));
    scrollArea->setWidget(canvas);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    // The window may still be made as small as the user likes.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(scrollArea);
    return *canvas;
}

QPushButton* button(QWidget& window, const char* name) {
    return window.findChild<QPushButton*>(QLatin1String(name));
}

// The one local file a drop brings; empty when it brings none or several.
QString droppedFile(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

// A window action with its shortcut, also on the window's right-click menu.
QAction* addWindowAction(QWidget& window, const QString& text, QKeySequence::StandardKey key) {
    auto* action = new QAction(text, &window);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    return action;
}

// The display fields show and take nothing of the user's: Ctrl+V always reads a route, and Ctrl+C
// copies the results unless the user has selected some of a field's text.
class FieldsLeaveShortcuts : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* field = qobject_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (field == nullptr)
            return false;
        return (key->matches(QKeySequence::Copy) && !field->hasSelectedText()) ||
               key->matches(QKeySequence::Paste);
    }
};

} // namespace

Velmora::Velmora(QWidget* parent)
    : QWidget(parent)
    , fields_(makeControls(makeCanvas(*this))) {
    setObjectName(toQString(controls::windowTitle));
    setWindowTitle(toQString(controls::windowTitle));
    QPalette background = palette();
    background.setColor(QPalette::Window, toQColor(windowBackground));
    setPalette(background);
    setAutoFillBackground(true);

    resize(openingSize());

    connect(button(*this, "Command1"), &QPushButton::clicked, this, &Velmora::Command1_Click);
    connect(button(*this, "Command2"), &QPushButton::clicked, this, &Velmora::Command2_Click);
    connect(button(*this, "Command3"), &QPushButton::clicked, this, &Velmora::Command3_Click);

    copyAction_ = addWindowAction(*this, QStringLiteral("复制计算结果表"), QKeySequence::Copy);
    saveAction_ = addWindowAction(*this, QStringLiteral("另存为…"), QKeySequence::Save);
    connect(copyAction_, &QAction::triggered, this, &Velmora::copyResults);
    connect(saveAction_, &QAction::triggered, this, &Velmora::saveResults);
    connect(addWindowAction(*this, QStringLiteral("从剪贴板读入路线"), QKeySequence::Paste),
            &QAction::triggered, this, &Velmora::pasteRoute);
    connect(addWindowAction(*this, QStringLiteral("打开路线表或观测文件…"), QKeySequence::Open),
            &QAction::triggered, this, &Velmora::openRoute);
    setAcceptDrops(true);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* leaveShortcuts = new FieldsLeaveShortcuts(this);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->installEventFilter(leaveShortcuts);
    showResultsState();
}

void Velmora::Command1_Click() {
    reportingFailure([this] {
        DialogPrompter prompter(this);
        run(route_, prompter, fields_);
    });
    showResultsState();
}

void Velmora::Command2_Click() {
    close();
    QCoreApplication::exit(0);
}

void Velmora::Command3_Click() {
    reportingFailure([this] {
        try {
            printInBackground(route_, *this);
        } catch (const NoPrinter& noPrinter) {
            offerPdfInstead(QString::fromUtf8(noPrinter.what()));
        }
    });
}

void Velmora::copyResults() {
    reportingFailure([this] { copyResultsTable(*this, route_); });
}

void Velmora::saveResults() {
    reportingFailure([this] { saveResultsAs(*this, route_, SavedForm::reportPdf); });
}

void Velmora::pasteRoute() {
    reportingFailure([this] { takeRoute(routeFromClipboard(*this)); });
}

void Velmora::openRoute() {
    if (const QString file = askRouteFile(*this); !file.isEmpty())
        openRouteFile(file);
}

void Velmora::openRouteFile(const QString& fileName) {
    reportingFailure([&] {
        TentativeFields echo(fields_);
        try {
            takeRoute(routeFromFile(*this, fileName, echo));
        } catch (...) {
            echo.takeBack();
            throw;
        }
    });
}

void Velmora::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(*event->mimeData()).isEmpty() || event->mimeData()->hasText())
        event->acceptProposedAction();
}

void Velmora::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(*event->mimeData());
    const std::string droppedText = event->mimeData()->text().toStdString();
    event->acceptProposedAction();
    // The drop's data belongs to the drag; the run goes on after it has ended.
    QMetaObject::invokeMethod(
        this,
        [this, file, droppedText] {
            if (!file.isEmpty())
                openRouteFile(file);
            else
                reportingFailure([&] { takeRoute(routeFromText(*this, droppedText)); });
        },
        Qt::QueuedConnection);
}

void Velmora::takeRoute(TableRun&& read) {
    route_ = std::move(read.route);
    for (std::size_t field = 0; field < read.fieldTexts.size(); ++field)
        fields_.show(static_cast<DisplayField>(field), read.fieldTexts.at(field));
    showResultsState();
}

void Velmora::offerPdfInstead(const QString& message) {
    QMessageBox box(QMessageBox::Warning, QString(),
                    message + QStringLiteral("\n可以先把报表存为 PDF 文件，以后再打印。"),
                    QMessageBox::NoButton, this);
    QPushButton* savePdf = box.addButton(QStringLiteral("存为 PDF…"), QMessageBox::AcceptRole);
    QPushButton* close = box.addButton(QStringLiteral("关闭"), QMessageBox::RejectRole);
    box.setDefaultButton(savePdf);
    box.setEscapeButton(close);
    box.exec();
    if (box.clickedButton() == savePdf)
        saveResultsAs(*this, route_, SavedForm::reportPdf);
}

void Velmora::showResultsState() {
    copyAction_->setEnabled(route_.resultsReached);
    saveAction_->setEnabled(route_.resultsReached);
    fields_.describe(DisplayField::misclosureField, toQString(misclosureLimitsText(route_)));
}

template <typename Work> void Velmora::reportingFailure(Work work) {
    try {
        work();
    } catch (const Abandoned&) {
        // The user's own choice at the refusal box; it needs no message.
    } catch (const Error& error) {
        QMessageBox::critical(this, QString(), QString::fromUtf8(error.what()));
    }
}

} // namespace velmora
