// The program's own start-up with no files, timed to the shown, idle window.
#include <QApplication>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_services.h"
#include "startup_probe.h"

int main(int argc, char* argv[]) {
    probe::mark("main");
    QApplication application(argc, argv);
    probe::mark("toolkit");
    tandel::MainWindow window(tandel::desktopServices(),
                              std::vector<std::string>(argv + 1, argv + argc));
    probe::mark("window");
    window.start();
    probe::quitWhenIdle();
    return QApplication::exec();
}
