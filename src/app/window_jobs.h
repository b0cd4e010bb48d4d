// Loads and comparisons away from the window's thread: the window keeps
// painting and answering, shows what the job does and how far it is, and
// Escape, Cancel or closing the window stops it. What a job finds is put in
// place only when it is complete, so a stopped job leaves the window as it
// was.
#pragma once

#include <QElapsedTimer>

#include <array>
#include <string>

#include "app/comparison_jobs.h"
#include "app/window_parts.h"

namespace tandel {

class ProgressPanel;

class WindowJobs {
public:
    explicit WindowJobs(WindowParts& parts) : parts_(parts) {}

    // Makes the jobs' runner and the progress panel over the panes.
    void setUp();
    bool running() const { return jobs_ != nullptr && jobs_->busy(); }
    void cancel() { jobs_->cancel(); }
    void cancelAndWait() { jobs_->cancelAndWait(); }
    ProgressPanel* progressPanel() const { return progressPanel_; }
    // Loads the files the command line names, and compares them when both are.
    void startStartup();
    // The commands that load or compare; false for any other.
    bool run(int id);
    // The commands that may run while a job does.
    static bool allowedWhileRunning(int id);

private:
    void showProgress();
    // Loads `load` (an empty name: that side stays) and, with `compare`,
    // compares, all on the jobs' thread.
    void start(const std::array<std::string, 2>& load, bool compare);
    void done(ComparisonWork& work);
    void load(const std::string& name, int s);

    WindowParts& parts_;
    ComparisonJobs* jobs_ = nullptr;
    ProgressPanel* progressPanel_ = nullptr;
    QElapsedTimer started_;
    std::array<std::string, 2> names_;
};

} // namespace tandel
