#include "app/main_window.h"

namespace tandel {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    resize(800, 600);
}

} // namespace tandel
