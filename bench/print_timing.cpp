// Loads and compares two files in the real window (offscreen), takes both
// sides of every segment, then times Print of the whole merged result into a
// PDF file: the job as the user waits for it, abort dialog and events
// between pages included.
// Usage: print_timing FILE1 FILE2 OUT.pdf
// Prints the seconds, the pages and the pages per second.
#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_services.h"
#include "frame/command_ids.h"

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FILE1 FILE2 OUT.pdf\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QTemporaryDir settings;
    const std::string pdf = argv[3];

    tandel::WindowServices services;
    services.settingsPath = settings.filePath(QStringLiteral("tandel.ini")).toStdString();
    services.startInstance = [](const std::vector<std::string>&) {};
    services.openUrl = [](const QUrl&) { return false; };
    services.runModal = [](QDialog&) { return 0; };
    services.choosePrinter = [&pdf](QWidget&) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(pdf));
        return printer;
    };
    tandel::MainWindow window(services, {argv[1], argv[2]});
    window.start();
    QCoreApplication::sendPostedEvents(); // the comparison the loads posted
    window.runCommand(tandel::cmd::kSelectAll);

    int pages = 1;
    QObject::connect(&window, &tandel::MainWindow::printPageFinished,
                     [&pages](int page) { pages = page + 1; });
    const auto start = std::chrono::steady_clock::now();
    window.runCommand(tandel::cmd::kPrint);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.3f s, %d pages, %.1f pages/s\n", seconds, pages, pages / seconds);
    return 0;
}
