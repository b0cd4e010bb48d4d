#include "app/desktop_run.h"

#include <QApplication>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_services.h"

namespace tandel {

namespace {

bool named(const char* value) {
    return value != nullptr && *value != '\0';
}

} // namespace

bool displayAvailable(const char* display, const char* waylandDisplay, const char* platform) {
    return named(display) || named(waylandDisplay) || named(platform);
}

void reportNoDisplay(std::ostream& errors) {
    errors << "tandel: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the "
              "window cannot open.\n"
              "To merge without a display, use the unattended run:\n"
              "  tandel -auto -f1 FILE1 -f2 FILE2 -outf OUTPUT\n";
}

int runDesktop(int argc, char* argv[], const std::function<void(MainWindow&)>& started) {
    // The toolkit would take its own options (-reverse, -style, -title,
    // -platform ...) out of argv and act on them unseen; it gets the program
    // name alone, and every word the user typed goes to our parser. The
    // platform is still chosen by QT_QPA_PLATFORM.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication application(toolkitArgc, toolkitArgv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // The window ends the run itself, with the run's exit code, once its
    // settings are written.
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindow window(desktopServices(), arguments);
    QObject::connect(&window, &MainWindow::finished, &application,
                     [](int code) { QCoreApplication::exit(code); });
    window.start();
    if (started) {
        started(window);
    }
    return QApplication::exec();
}

} // namespace tandel
