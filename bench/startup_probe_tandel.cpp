// The program's own start-up, timed to the shown, idle window. With two files
// it also marks "panes": both panes painted with the comparison shown.
#include <QApplication>
#include <QWidget>

#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_services.h"
#include "startup_probe.h"

namespace {

class PanesPainted : public QObject {
public:
    explicit PanesPainted(tandel::MainWindow& window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_ &&
            window_.application().model.side(1).hasLists()) {
            const QString name = watched->objectName();
            if (name == QStringLiteral("edit1") || name == QStringLiteral("edit2")) {
                painted_.insert(name.toStdString());
            }
            if (painted_.size() == 2) {
                probe::mark("panes");
                done_ = true;
            }
        }
        return false;
    }

private:
    tandel::MainWindow& window_;
    std::set<std::string> painted_;
    bool done_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    probe::mark("main");
    QApplication application(argc, argv);
    probe::mark("toolkit");
    tandel::MainWindow window(tandel::desktopServices(),
                              std::vector<std::string>(argv + 1, argv + argc));
    PanesPainted panes(window);
    application.installEventFilter(&panes);
    probe::mark("window");
    window.start();
    probe::quitWhenIdle();
    return QApplication::exec();
}
