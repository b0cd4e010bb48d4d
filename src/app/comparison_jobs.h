// Runs the middle step of a load or comparison (comparison_work.h) on a
// thread of its own, so that the window paints, answers and can stop it.
// With `threaded` false the step runs at once, as tests want it.
#pragma once

#include <QObject>

#include <functional>
#include <thread>

#include "merge/comparison_work.h"

namespace tandel {

class ComparisonJobs : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(ComparisonWork& work)>;

    explicit ComparisonJobs(bool threaded, QObject* parent = nullptr);
    ~ComparisonJobs() override;
    ComparisonJobs(const ComparisonJobs&) = delete;
    ComparisonJobs& operator=(const ComparisonJobs&) = delete;

    bool busy() const { return running_; }
    // `done` gets the work back on the window's thread, cancelled or not.
    void start(ComparisonWork work, Done done);
    // Asks the job to stop; `done` still comes, with the work cancelled.
    void cancel();
    // Stops the job and waits for its thread; `done` never comes.
    void cancelAndWait();
    const JobProgress& progress() const { return progress_; }

signals:
    void started();
    void finished();

private:
    void complete();

    bool threaded_;
    bool running_ = false;
    std::thread thread_;
    JobProgress progress_;
    ComparisonWork work_;
    Done done_;
};

} // namespace tandel
