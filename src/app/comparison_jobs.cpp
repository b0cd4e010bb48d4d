#include "app/comparison_jobs.h"

#include <QMetaObject>

namespace tandel {

ComparisonJobs::ComparisonJobs(bool threaded, QObject* parent)
    : QObject(parent), threaded_(threaded) {}

ComparisonJobs::~ComparisonJobs() {
    cancelAndWait();
}

void ComparisonJobs::start(ComparisonWork work, Done done) {
    cancelAndWait();
    work_ = std::move(work);
    done_ = std::move(done);
    progress_.cancel.store(false);
    progress_.enter(JobPhase::Idle);
    running_ = true;
    emit started();
    if (!threaded_) {
        runComparison(work_, &progress_);
        complete();
        return;
    }
    thread_ = std::thread([this] {
        runComparison(work_, &progress_);
        QMetaObject::invokeMethod(
            this, [this] { complete(); }, Qt::QueuedConnection);
    });
}

void ComparisonJobs::cancel() {
    progress_.cancel.store(true);
}

void ComparisonJobs::cancelAndWait() {
    progress_.cancel.store(true);
    if (thread_.joinable()) {
        thread_.join();
    }
    if (running_) {
        running_ = false;
        done_ = {};
        emit finished();
    }
}

void ComparisonJobs::complete() {
    if (!running_) {
        return; // cancelled and waited for already
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    running_ = false;
    progress_.enter(JobPhase::Done);
    Done done = std::move(done_);
    emit finished();
    if (done) {
        done(work_);
    }
}

} // namespace tandel
