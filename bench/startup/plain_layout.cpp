#include "bench/startup/plain_layout.h"

#include "printing/qt_text.h"
#include "ui/control_geometry.h"
#include "ui/control_table.h"
#include "ui/window_font.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velmora {

namespace {

using namespace controls;

void makeControl(const Control& control, QWidget& window) {
    const QString caption = toQString(control.caption);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case Kind::label: {
        auto* label = new QLabel(caption, &window);
        // The captions must stand where the program's do, and read as the text they are.
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case Kind::field:
        widget = new QLineEdit(&window);
        break;
    case Kind::button:
        widget = new QPushButton(caption, &window);
        break;
    }
    widget->setGeometry(pixelRect(control));
    widget->setFont(windowFont(control.face));
}

void makeLine(const Line& line, QWidget& window) {
    auto* frame = new QFrame(&window);
    frame->setFrameShape(line.y1 == line.y2 ? QFrame::HLine : QFrame::VLine);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(lineWidthPixels);
    frame->setGeometry(pixelRect(line));
}

} // namespace

std::unique_ptr<QWidget> plainLayoutWindow() {
    auto window = std::make_unique<QWidget>();
    for (const Control& control : controlTable)
        makeControl(control, *window);
    for (const Line& line : lineTable)
        makeLine(line, *window);
    return window;
}

} // namespace velmora
