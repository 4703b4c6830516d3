// The baselines, started the same way as the program, each a window of the program's opening size:
// with no argument an empty Qt Widgets window; with "latin" one label showing a line of Latin text
// in the default face; with "same-face" one label showing a line of Chinese text in the face of
// the program's captions, through the program's font substitutions; with "plain-layout" the
// program's whole layout in plain widgets (plain_layout.h). Together they tell the cost of a
// window at all, of loading and drawing a face, of the Chinese face the program needs and of its
// controls as such, apart from the cost of the program's own window.
#include "bench/startup/first_paint.h"
#include "bench/startup/plain_layout.h"
#include "printing/font_substitutions.h"
#include "printing/qt_text.h"
#include "ui/control_table.h"
#include "ui/window_font.h"

#include <QApplication>
#include <QLabel>
#include <memory>

namespace {

using namespace velmora::controls;

std::unique_ptr<QWidget> makeWindow(const QStringList& arguments) {
    if (arguments.contains(QStringLiteral("latin")))
        return std::make_unique<QLabel>(QStringLiteral("Hello, world"));
    if (arguments.contains(QStringLiteral("plain-layout"))) {
        velmora::installFontSubstitutions();
        return velmora::plainLayoutWindow();
    }
    if (!arguments.contains(QStringLiteral("same-face")))
        return std::make_unique<QWidget>();
    velmora::installFontSubstitutions();
    auto label = std::make_unique<QLabel>(velmora::toQString(controlTable[1].caption));
    label->setFont(velmora::windowFont(controlTable[1].face));
    return label;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const std::unique_ptr<QWidget> window = makeWindow(QApplication::arguments());
    constexpr Extent extent = layoutExtent();
    window->resize(pixels(extent.right + openingMargin), pixels(extent.bottom + openingMargin));
    quitAfterFirstPaint();
    window->show();
    return QApplication::exec();
}
