// Painting the panes over the 1,000,000-line pair with 100 changes (case a
// of gen_engine_cases.py), offscreen, in the real window: one full screen of
// 60 rows in both panes at random places in the file, with and without the
// changed characters marked; a screen starting on a change with nothing
// cached, there and in a pair where nearly every row differs (case c); and
// what a one-row and a one-page scroll paint.
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
#include "control/application.h"
#include "merge/segment_map.h"
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

    Shown(const std::string& data, const std::string& pair) {
        WindowServices services;
        services.settingsPath = settings.filePath(QStringLiteral("tandel.ini")).toStdString();
        services.startInstance = [](const std::vector<std::string>&) {};
        services.openUrl = [](const QUrl&) { return false; };
        services.runModal = [](QDialog&) { return 0; };
        window = std::make_unique<MainWindow>(
            services, std::vector<std::string>{"-f1", data + "/" + pair + "1.txt", "-f2",
                                               data + "/" + pair + "2.txt"});
        window->start();
        QCoreApplication::sendPostedEvents();
        window->resize(1400, 200 + (kScreenRows + 2) * record().lineHeight);
        QCoreApplication::processEvents();
    }
    SettingsRecord& record() { return window->application().settings.record; }
    DiffEdit* pane(int side) { return window->container()->pane(side); }
};

Shown* shown = nullptr;

// Where the screens painted start.
enum class Screens {
    Anywhere,        // the top line anywhere in the file, highlighting off
    AnywhereMarked,  // the same with the changed characters marked
    AtChangesMarked, // the top line on a change, marked, nothing cached yet
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void paintScreens(benchmark::State& state, Shown* window, Screens where) {
    SettingsRecord& record = window->record();
    record.highlightChanges = where == Screens::Anywhere ? 0 : 1;
    const MergeModel& model = window->window->application().model;
    PaneGroup* group = window->window->container()->paneGroup();
    const int rows = kScreenRows * record.lineHeight;
    const std::int64_t lastTop = record.rowCount - kScreenRows;
    std::mt19937 random(7);
    std::vector<double> times;
    std::vector<double> pairs;
    for (auto _ : state) {
        std::int64_t top = static_cast<std::int64_t>(random() % static_cast<unsigned>(lastTop));
        if (where == Screens::AtChangesMarked) {
            const auto segment = static_cast<std::int32_t>(
                random() % static_cast<unsigned>(model.side(1).segmentCount()));
            top = std::clamp<std::int64_t>(segmentDisplayStart(model, segment) - 1, 0, lastTop);
            group->changedSpans().clear();
        }
        record.topLine = static_cast<std::int32_t>(top);
        const auto start = std::chrono::steady_clock::now();
        for (int s = 1; s <= 2; ++s) {
            window->pane(s)->repaint(0, 0, window->pane(s)->width(), rows);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        times.push_back(took.count() * 1000);
        pairs.push_back(static_cast<double>(group->changedSpans().size()));
    }
    state.counters["median_ms"] = median(times);
    state.counters["rows"] = std::min(record.visibleRows, kScreenRows);
    // Rows pairing two lines, whose changed characters were worked out: the
    // mean per screen.
    double pairSum = 0;
    for (const double p : pairs) {
        pairSum += p;
    }
    state.counters["pairs"] = pairs.empty() || where != Screens::AtChangesMarked
                                  ? 0
                                  : pairSum / static_cast<double>(pairs.size());
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
    Shown window(data, "a");
    // Case c: lines drawn at random from a small pool on each side, so nearly
    // every row of a change pairs two different lines.
    Shown denseWindow(data, "c");
    Shown* dense = &denseWindow;
    shown = &window;
    for (Shown* w : {shown, dense}) {
        if (w->record().visibleRows < kScreenRows) {
            std::fprintf(stderr, "the window shows only %d rows\n", w->record().visibleRows);
            return 1;
        }
    }
    const struct {
        const char* name;
        Shown* window;
        Screens where;
    } screens[] = {
        {"PaintScreen", shown, Screens::Anywhere},
        {"PaintScreenHighlighted", shown, Screens::AnywhereMarked},
        {"PaintChangeHighlightedUncached", shown, Screens::AtChangesMarked},
        {"PaintDenseChangesHighlightedUncached", dense, Screens::AtChangesMarked},
    };
    for (const auto& screen : screens) {
        benchmark::RegisterBenchmark(screen.name, paintScreens, screen.window, screen.where)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
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
