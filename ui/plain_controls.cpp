#include "ui/plain_controls.h"

#include "printing/qt_text.h"
#include "ui/window_font.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

namespace velmora {

using namespace controls;

QWidget* plainControl(const Control& control, QWidget& window) {
    const QString caption = toQString(control.caption);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case Kind::label: {
        auto* label = new QLabel(caption, &window);
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
    widget->setGeometry(pixels(control.left), pixels(control.top), pixels(control.width),
                        pixels(control.height));
    widget->setFont(windowFont(control.face));
    return widget;
}

QFrame* plainLine(const Line& line, QWidget& window) {
    auto* frame = new QFrame(&window);
    frame->setFrameShape(line.y1 == line.y2 ? QFrame::HLine : QFrame::VLine);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(lineWidthPixels);
    const int half = lineWidthPixels / 2;
    const QRect ends =
        QRect(QPoint(pixels(line.x1), pixels(line.y1)), QPoint(pixels(line.x2), pixels(line.y2)))
            .normalized();
    frame->setGeometry(ends.adjusted(-half, -half, half, half));
    return frame;
}

} // namespace velmora
