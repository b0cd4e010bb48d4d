// The directory window's start-up, timed to both lists filled and painted:
// the program's own run (the same entry as tandel) with the directory window
// switches, ending at the first paint of both lists that shows rows. With
// --core ONE TWO OUT it times the core list build alone instead.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/desktop_run.h"
#include "app/main_window.h"
#include "control/application.h"
#include "dirmerge/directory_merge.h"
#include "frame/command_ids.h"
#include "quiet_frame.h"
#include "startup_probe.h"
#include "view/directory_list_model.h"
#include "view/directory_list_view.h"
#include "view/directory_window.h"

namespace {

class PaintWatch : public QObject {
public:
    PaintWatch(tandel::DirectoryWindow& lists, QObject* parent) : QObject(parent), lists_(lists) {
        for (int side = 1; side <= 2; ++side)
            lists.list(side)->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && lists_.model()->rowCount() > 0) {
            painted_[watched == lists_.list(1)->viewport() ? 0 : 1] = true;
            if (painted_[0] && painted_[1] && !done_) {
                done_ = true;
                probe::mark("painted");
                std::printf("rows %d\n", lists_.model()->rowCount());
                QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
            }
        }
        return false;
    }

private:
    tandel::DirectoryWindow& lists_;
    bool painted_[2] = {false, false};
    bool done_ = false;
};

} // namespace

// The yardstick, in a fresh process as the window gets one: the core list
// build alone over the same trees, with the same settings, no window.
int buildAlone(const char* one, const char* two, const char* out) {
    tandel::bench::QuietFrame frame;
    tandel::Application app(frame);
    app.frameState.directoryWindow = true;
    app.settings.record.recursive = 1;
    tandel::DirectoryMerge dirs(app, "tandel", nullptr);
    const auto start = std::chrono::steady_clock::now();
    static_cast<void>(dirs.buildList(one, two, out, {})); // only the time and the rows count
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("core %.1f\nrows %zu\n", took.count(), dirs.state.rows.size());
    return 0;
}

int main(int argc, char* argv[]) {
    if (argc == 5 && std::strcmp(argv[1], "--core") == 0)
        return buildAlone(argv[2], argv[3], argv[4]);
    probe::mark("main");
    return tandel::runDesktop(argc, argv, [](tandel::MainWindow& window) {
        probe::mark("started");
        QObject::connect(&window, &tandel::MainWindow::commandReceived, [](int id) {
            if (id == tandel::cmd::kCompareDirectoryLists)
                probe::mark("build");
        });
        if (window.directoryWindow() == nullptr)
            return;
        QObject::connect(window.directoryWindow()->model(), &QAbstractItemModel::modelReset,
                         [] { probe::mark("filled"); });
        new PaintWatch(*window.directoryWindow(), &window);
    });
}
