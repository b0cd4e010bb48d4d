#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "merge/unattended_run.h"

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // An unattended run must work with no display at all, so it never creates
    // the QApplication.
    if (tandel::requestsUnattendedRun(arguments)) {
        return tandel::runUnattended(arguments, std::cerr);
    }
    QApplication application(argc, argv);
    tandel::MainWindow window;
    window.show();
    return QApplication::exec();
}
