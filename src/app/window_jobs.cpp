#include "app/window_jobs.h"

#include <QMainWindow>

#include <QCloseEvent>
#include <QTimer>

#include "app/frame_body.h"
#include "app/window_frame.h"
#include "app/window_services.h"
#include "control/application.h"
#include "control/lifecycle.h"
#include "frame/command_ids.h"
#include "merge/side_loader.h"
#include "merge/unsaved_decisions.h"
#include "view/progress_panel.h"

namespace tandel {

namespace {

// A job shorter than this never shows its panel: it would only flicker.
constexpr int kPanelDelayMs = 250;
constexpr int kPanelRefreshMs = 100;

QString baseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace

void WindowJobs::setUp() {
    QMainWindow* window = parts_.window;
    jobs_ = new ComparisonJobs(parts_.services->threadedComparisons, window);
    progressPanel_ = new ProgressPanel(parts_.body);
    QObject::connect(progressPanel_, &ProgressPanel::cancelRequested, jobs_,
                     &ComparisonJobs::cancel);
    auto* refresh = new QTimer(window);
    refresh->setInterval(kPanelRefreshMs);
    QObject::connect(refresh, &QTimer::timeout, window, [this] { showProgress(); });
    QObject::connect(jobs_, &ComparisonJobs::started, window, [this, refresh] {
        started_.start();
        refresh->start();
    });
    QObject::connect(jobs_, &ComparisonJobs::finished, window, [this, refresh] {
        refresh->stop();
        progressPanel_->hide();
    });
}

void WindowJobs::showProgress() {
    if (!running() || started_.elapsed() < kPanelDelayMs) {
        return;
    }
    const JobProgress& progress = jobs_->progress();
    const auto phase = static_cast<JobPhase>(progress.phase.load());
    QString text;
    switch (phase) {
    case JobPhase::ReadingFile1:
    case JobPhase::ReadingFile2:
        text = QStringLiteral("Reading file %1 (%2)…")
                   .arg(phase == JobPhase::ReadingFile1 ? 1 : 2)
                   .arg(baseNameOf(names_[phase == JobPhase::ReadingFile1 ? 0 : 1]));
        break;
    case JobPhase::Comparing:
        text = QStringLiteral("Comparing…");
        break;
    default:
        text = QStringLiteral("Starting…");
        break;
    }
    if (progress.cancelled()) {
        text = QStringLiteral("Stopping…");
    }
    progressPanel_->show(text, static_cast<int>(progress.permille.load()));
}

void WindowJobs::start(const std::array<std::string, 2>& load, bool compare) {
    ComparisonWork work = prepareComparison(*parts_.app, load, compare);
    names_ = work.names;
    jobs_->start(std::move(work), [this](ComparisonWork& finished) { done(finished); });
}

void WindowJobs::done(ComparisonWork& work) {
    Application& app = *parts_.app;
    const CompareResult result = applyComparison(app, work);
    if (!work.compared || work.cancelled) {
        return;
    }
    // As the Compare Files command leaves them.
    app.model.loadedSinceComparison = {false, false};
    finishCompareFiles(app, result, true);
}

void WindowJobs::startStartup() {
    Application& app = *parts_.app;
    const std::array<std::string, 2> names = startupFileNames(app);
    const bool both = !names[0].empty() && !names[1].empty();
    if (names[0].empty() && names[1].empty()) {
        openStartupFiles(app, names);
        return;
    }
    app.frameState.splitArmed = false;
    start(names, both);
}

bool WindowJobs::run(int id) {
    Application& app = *parts_.app;
    Frame& frame = *parts_.frame;
    // The directory walk needs each comparison before it steps on: it
    // compares where it stands.
    if (app.settings.record.directoryWalk != 0 || app.frameState.directoryWindow) {
        return false;
    }
    MergeModel& model = app.model;
    switch (id) {
    case cmd::kFile1:
    case cmd::kFile2: {
        const int s = id == cmd::kFile1 ? 1 : 2;
        std::string chosen;
        if (mayDropDecisions(model, app.settings, frame) &&
            chooseFileToOpen(app.settings, frame, s, chosen)) {
            load(chosen, s);
        }
        return true;
    }
    case cmd::kLoadDropped: {
        if (!mayDropDecisions(model, app.settings, frame)) {
            return true;
        }
        if (const auto name =
                droppedFileToLoad(app.settings.record, frame, app.frameState.droppedNames)) {
            load(*name, app.frameState.droppedSide);
        }
        return true;
    }
    case cmd::kCompareFiles:
        if (!beginCompareFiles(app)) {
            return true;
        }
        if (!readyToCompareFiles(app)) {
            finishCompareFiles(app, CompareResult::Failed, false);
            return true;
        }
        start({}, true);
        return true;
    default:
        return false;
    }
}

void WindowJobs::load(const std::string& name, int s) {
    std::array<std::string, 2> names;
    names[static_cast<std::size_t>(s - 1)] = name;
    // Once both sides are loaded since the last comparison, the load compares.
    start(names, parts_.app->model.loadedSinceComparison[s == 1 ? 1 : 0]);
}

bool WindowJobs::allowedWhileRunning(int id) {
    return id == cmd::kQuit || id == cmd::kHelpContents || id == cmd::kAbout;
}

} // namespace tandel
