// The program's own start-up, up to the first frame of its window.
#include "bench/startup/first_paint.h"
#include "ui/application_setup.h"
#include "ui/velmora_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmora::prepareApplication(application);
    velmora::Velmora window;
    quitAfterFirstPaint();
    window.show();
    return QApplication::exec();
}
