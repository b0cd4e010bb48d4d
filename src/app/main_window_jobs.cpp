// Loads and comparisons away from the window's thread: the window keeps
// painting and answering, shows what the job does and how far it is, and
// Escape, Cancel or closing the window stops it. What a job finds is put in
// place only when it is complete, so a stopped job leaves the window as it
// was.
#include "app/main_window.h"

#include <QCloseEvent>
#include <QTimer>

#include "control/lifecycle.h"
#include "frame/command_ids.h"
#include "merge/side_loader.h"
#include "merge/unsaved_decisions.h"
#include "app/frame_body.h"
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

void MainWindow::setUpJobs() {
    jobs_ = new ComparisonJobs(services_.threadedComparisons, this);
    progressPanel_ = new ProgressPanel(parts_.body);
    connect(progressPanel_, &ProgressPanel::cancelRequested, jobs_, &ComparisonJobs::cancel);
    auto* refresh = new QTimer(this);
    refresh->setInterval(kPanelRefreshMs);
    connect(refresh, &QTimer::timeout, this, &MainWindow::showJobProgress);
    connect(jobs_, &ComparisonJobs::started, this, [this, refresh] {
        jobStarted_.start();
        refresh->start();
    });
    connect(jobs_, &ComparisonJobs::finished, this, [this, refresh] {
        refresh->stop();
        progressPanel_->hide();
    });
}

bool MainWindow::jobRunning() const { return jobs_ != nullptr && jobs_->busy(); }

void MainWindow::showJobProgress() {
    if (!jobRunning() || jobStarted_.elapsed() < kPanelDelayMs) {
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
                   .arg(baseNameOf(jobNames_[phase == JobPhase::ReadingFile1 ? 0 : 1]));
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

void MainWindow::startJob(const std::array<std::string, 2>& load, bool compare) {
    ComparisonWork work = prepareComparison(app_, load, compare);
    jobNames_ = work.names;
    jobs_->start(std::move(work), [this](ComparisonWork& done) { jobDone(done); });
}

void MainWindow::jobDone(ComparisonWork& work) {
    const CompareResult result = applyComparison(app_, work);
    if (!work.compared || work.cancelled) {
        return;
    }
    // As the Compare Files command leaves them.
    app_.model.loadedSinceComparison = {false, false};
    finishCompareFiles(app_, result, true);
}

void MainWindow::startStartupJob() {
    const std::array<std::string, 2> names = startupFileNames(app_);
    const bool both = !names[0].empty() && !names[1].empty();
    if (names[0].empty() && names[1].empty()) {
        openStartupFiles(app_, names);
        return;
    }
    app_.frameState.splitArmed = false;
    startJob(names, both);
}

bool MainWindow::runJobCommand(int id) {
    // The directory walk needs each comparison before it steps on: it
    // compares where it stands.
    if (app_.settings.record.directoryWalk != 0 || app_.frameState.directoryWindow) {
        return false;
    }
    MergeModel& model = app_.model;
    switch (id) {
    case cmd::kFile1:
    case cmd::kFile2: {
        const int s = id == cmd::kFile1 ? 1 : 2;
        std::string chosen;
        if (MayDropDecisions(model, app_.settings, frame_) &&
            ChooseFileToOpen(app_.settings, frame_, s, chosen)) {
            loadInJob(chosen, s);
        }
        return true;
    }
    case cmd::kLoadDropped: {
        if (!MayDropDecisions(model, app_.settings, frame_)) {
            return true;
        }
        if (const auto name = DroppedFileToLoad(app_.settings.record, frame_,
                                                app_.frameState.droppedNames)) {
            loadInJob(*name, app_.frameState.droppedSide);
        }
        return true;
    }
    case cmd::kCompareFiles:
        if (!beginCompareFiles(app_)) {
            return true;
        }
        if (!readyToCompareFiles(app_)) {
            finishCompareFiles(app_, CompareResult::Failed, false);
            return true;
        }
        startJob({}, true);
        return true;
    default:
        return false;
    }
}

void MainWindow::loadInJob(const std::string& name, int s) {
    std::array<std::string, 2> load;
    load[static_cast<std::size_t>(s - 1)] = name;
    // Once both sides are loaded since the last comparison, the load compares.
    startJob(load, app_.model.loadedSinceComparison[s == 1 ? 1 : 0]);
}

bool MainWindow::allowedWhileJobRuns(int id) {
    return id == cmd::kQuit || id == cmd::kHelpContents || id == cmd::kAbout;
}

} // namespace tandel
