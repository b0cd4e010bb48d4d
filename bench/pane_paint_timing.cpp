// Painting the panes over the 1,000,000-line pair with 100 changes (case a
// of gen_engine_cases.py), offscreen, in the real window: one full screen of
// 60 rows in both panes at random places in the file, and what a one-row and
// a one-page scroll paint.
// Usage: pane_paint_timing DATA_FOLDER [benchmark options]
#include <QApplication>
#include <QPaintEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "merge/application.h"
#include "view/diff_edit.h"
#include "view/edit_cont.h"
#include "view/pane_group.h"

namespace {

using namespace tandel;

constexpr int kScreenRows = 60;

// Sums the areas a pane paints.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* watched) { watched->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

struct Shown {
    QTemporaryDir settings;
    std::unique_ptr<MainWindow> window;

    Shown(const std::string& data) {
        WindowServices services;
        services.settingsPath = settings.filePath(QStringLiteral("tandel.ini")).toStdString();
        services.startInstance = [](const std::vector<std::string>&) {};
        services.openUrl = [](const QUrl&) { return false; };
        services.runModal = [](QDialog&) { return 0; };
        window = std::make_unique<MainWindow>(
            services, std::vector<std::string>{"-f1", data + "/a1.txt", "-f2", data + "/a2.txt"});
        window->start();
        QCoreApplication::sendPostedEvents();
        window->resize(1400, 200 + (kScreenRows + 2) * record().lineHeight);
        QCoreApplication::processEvents();
    }
    SettingsRecord& record() { return window->application().settings.record; }
    DiffEdit* pane(int side) { return window->container()->pane(side); }
};

Shown* shown = nullptr;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void paintScreens(benchmark::State& state, bool highlight) {
    SettingsRecord& record = shown->record();
    record.highlightChanges = highlight ? 1 : 0;
    const int rows = kScreenRows * record.lineHeight;
    std::mt19937 random(7);
    std::vector<double> times;
    for (auto _ : state) {
        record.topLine = static_cast<std::int32_t>(random() % (record.rowCount - kScreenRows));
        const auto start = std::chrono::steady_clock::now();
        for (int s = 1; s <= 2; ++s) {
            shown->pane(s)->repaint(0, 0, shown->pane(s)->width(), rows);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        times.push_back(took.count() * 1000);
    }
    state.counters["median_ms"] = median(times);
    state.counters["rows"] = std::min(record.visibleRows, kScreenRows);
}

// Rows painted by each scroll of `code`, and the time to scroll and paint.
void scrollBy(benchmark::State& state, VerticalScroll code) {
    SettingsRecord& record = shown->record();
    PaneGroup* group = shown->window->container()->paneGroup();
    PaintLog log(shown->pane(1));
    std::vector<double> rows;
    std::vector<double> times;
    for (auto _ : state) {
        if (record.topLine > record.rowCount - 4 * record.visibleRows) {
            group->scrollToLine(1000);
            QCoreApplication::processEvents();
        }
        log.painted = {};
        const auto start = std::chrono::steady_clock::now();
        group->scrollVertically(code);
        QCoreApplication::processEvents();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        times.push_back(took.count() * 1000);
        rows.push_back(static_cast<double>(log.painted.boundingRect().height()) /
                       record.lineHeight);
    }
    state.counters["median_ms"] = median(times);
    state.counters["rows_painted"] = median(rows);
    state.counters["visible_rows"] = record.visibleRows;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: pane_paint_timing DATA_FOLDER [benchmark options]\n");
        return 2;
    }
    const std::string data = argv[1];
    argv[1] = argv[0];
    --argc;
    ++argv;
    QApplication application(argc, argv);
    Shown window(data);
    shown = &window;
    if (window.record().visibleRows < kScreenRows) {
        std::fprintf(stderr, "the window shows only %d rows\n", window.record().visibleRows);
        return 1;
    }
    benchmark::RegisterBenchmark("PaintScreen", paintScreens, false)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PaintScreenHighlighted", paintScreens, true)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ScrollOneRow", scrollBy, VerticalScroll::LineDown)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ScrollOnePage", scrollBy, VerticalScroll::PageDown)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
