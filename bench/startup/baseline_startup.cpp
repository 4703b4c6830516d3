// The baselines, started the same way as the program: an empty Qt Widgets window of the same size
// or, with the argument "label", one that shows a line of Latin text, so that the cost of loading
// and drawing a face at all is told apart from the cost of the program's own window.
#include "bench/startup/first_paint.h"
#include "ui/control_table.h"

#include <QApplication>
#include <QLabel>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool withText = QApplication::arguments().contains(QStringLiteral("label"));
    auto window = withText ? std::make_unique<QLabel>(QStringLiteral("Hello, world"))
                           : std::make_unique<QWidget>();
    using namespace velmora::controls;
    constexpr Extent extent = layoutExtent();
    window->resize(pixels(extent.right + openingMargin), pixels(extent.bottom + openingMargin));
    quitAfterFirstPaint(*window);
    window->show();
    return QApplication::exec();
}
