#include "ui/application_setup.h"
#include "ui/velmora_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmora::prepareApplication(application);
    velmora::Velmora window;
    window.show();
    return QApplication::exec();
}
