// The window on two large files, offscreen, timed from the process's start:
//   first-paint  the window's first paint (the job runs meanwhile)
//   panes        both panes painted with the comparison shown ("ready")
// With "--cancel MS" first: Escape is sent MS milliseconds after the first
// paint ("escape"), and "stopped" marks the moment the window is idle again.
// Usage: window_timing [--cancel MS] FILE1 FILE2
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_services.h"
#include "startup_probe.h"

namespace {

class Watcher : public QObject {
public:
    Watcher(tandel::MainWindow& window, int cancelAfterMs)
        : window_(window), cancelAfterMs_(cancelAfterMs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) {
            return false;
        }
        if (!firstPainted_) {
            firstPainted_ = true;
            probe::mark("first-paint");
            if (cancelAfterMs_ >= 0) {
                QTimer::singleShot(cancelAfterMs_, this, [this] { cancel(); });
            }
        }
        const QString name = watched->objectName();
        if (cancelAfterMs_ < 0 && window_.application().model.side(1).hasLists() &&
            (name == QStringLiteral("edit1") || name == QStringLiteral("edit2"))) {
            painted_.insert(name.toStdString());
            if (painted_.size() == 2) {
                probe::mark("panes");
                QCoreApplication::exit(0);
            }
        }
        return false;
    }

private:
    void cancel() {
        if (!window_.busy()) {
            probe::mark("finished-before-escape");
            QCoreApplication::exit(1);
            return;
        }
        probe::mark("escape");
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&window_, &escape);
        auto* poll = new QTimer(this);
        poll->setInterval(1);
        connect(poll, &QTimer::timeout, this, [this] {
            if (!window_.busy()) {
                probe::mark("stopped");
                QCoreApplication::exit(0);
            }
        });
        poll->start();
    }

    tandel::MainWindow& window_;
    int cancelAfterMs_;
    bool firstPainted_ = false;
    std::set<std::string> painted_;
};

} // namespace

int main(int argc, char* argv[]) {
    probe::mark("main");
    int cancelAfterMs = -1;
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() >= 2 && arguments[0] == "--cancel") {
        cancelAfterMs = std::atoi(arguments[1].c_str());
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, argv);
    tandel::MainWindow window(tandel::desktopServices(), arguments);
    Watcher watcher(window, cancelAfterMs);
    application.installEventFilter(&watcher);
    window.start();
    return QApplication::exec();
}
