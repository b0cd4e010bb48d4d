// The yardstick: a program that only shows an empty main window, timed to
// the same shown, idle state.
#include <QApplication>
#include <QMainWindow>

#include "startup_probe.h"

int main(int argc, char* argv[]) {
    probe::mark("main");
    QApplication application(argc, argv);
    probe::mark("toolkit");
    QMainWindow window;
    window.resize(640, 480);
    probe::mark("window");
    window.show();
    probe::quitWhenIdle();
    return QApplication::exec();
}
