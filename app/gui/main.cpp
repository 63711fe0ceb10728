// Tarvenix: a calculator for archers. The program's entry point.
#include <QApplication>

#include "app/gui/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return tarvenix::runProgram(app, {tarvenix::usableScreenSize()});
}
