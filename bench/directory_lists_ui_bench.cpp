// The directory window's lists with 20,000 rows, offscreen: a sort by
// "Date Modified" until both lists are painted again, and one page of
// scrolling until both are painted again.
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QWindow>

#include <benchmark/benchmark.h>

#include "quiet_frame.h"

#include <cstdio>
#include <random>

#include "control/application.h"
#include "dirmerge/directory_merge.h"
#include "view/directory_list_model.h"
#include "view/directory_list_view.h"
#include "view/directory_window.h"

namespace {

constexpr int kRows = 20000;

tandel::RowHalf half(const char* side, int n, std::int64_t time, tandel::RowState state) {
    char path[96];
    std::snprintf(path, sizeof path, "/tmp/tandel-dir-trees/%s/dir%03d/File_%05d.txt", side,
                  n / 100, n);
    return {path, tandel::formatDate(time), time, state};
}

struct Lists {
    tandel::bench::QuietFrame frame;
    tandel::Application app{frame};
    tandel::DirectoryMerge dirs{app, "tandel", nullptr};
    tandel::DirectoryWindow window{dirs, app.settings, nullptr};

    Lists() {
        std::mt19937 random(4711);
        for (int n = 0; n < kRows; ++n) {
            const std::int64_t time =
                1'600'000'000 + static_cast<std::int64_t>(random() % 10'000'000);
            const auto state = n % 100 == 7 ? tandel::RowState::Different : tandel::RowState::Same;
            dirs.state.rows.push_back(
                {half("one", n, time, state), half("two", n, time + 1000, state)});
        }
        window.resize(1200, 800);
        window.fill();
        window.show();
        while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents();
        window.list(1)->viewport()->installEventFilter(&paints);
        window.list(2)->viewport()->installEventFilter(&paints);
        paint();
    }
    // Lets the window paint what changed, as the event loop does after a
    // user's action; the counter shows that the lists really were painted.
    void paint() {
        window.list(1)->viewport()->update();
        window.list(2)->viewport()->update();
        QCoreApplication::processEvents();
    }
    struct PaintCounter : QObject {
        long count = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } paints;
};

void BM_SortByDate(benchmark::State& state) {
    Lists lists;
    QHeaderView* header = lists.window.list(1)->header();
    for (auto _ : state) {
        emit header->sectionClicked(tandel::DirectoryListModel::columnOf(0, 1));
        lists.paint();
    }
    state.counters["rows"] = kRows;
    state.counters["paints"] = static_cast<double>(lists.paints.count);
}
BENCHMARK(BM_SortByDate)->Unit(benchmark::kMillisecond);

void BM_ScrollOnePage(benchmark::State& state) {
    Lists lists;
    tandel::DirectoryListView* left = lists.window.list(1);
    int direction = 1;
    for (auto _ : state) {
        const int page = left->rowsPerPage();
        if (left->topRow() + 2 * page >= kRows || left->topRow() - page < 0)
            direction = left->topRow() < page ? 1 : -1;
        left->setTopRow(left->topRow() + direction * page);
        lists.paint();
    }
    state.counters["page"] = left->rowsPerPage();
    state.counters["paints"] = static_cast<double>(lists.paints.count);
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
