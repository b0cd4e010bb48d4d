#include "app/print_port.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QPrinter>

#include <utility>

#include "app/window_services.h"
#include "control/application.h"
#include "dialogs/abort_dialog.h"
#include "view/print_job.h"
#include "view/print_setup.h"

namespace tandel {

PrintPort::PrintPort(WindowParts& parts) : parts_(parts) {}

PrintPort::~PrintPort() = default;

void PrintPort::cancelThenClose() {
    parts_.app->settings.record.printCancelled = 1;
    closeAfter_ = true;
}

bool PrintPort::startPrint(const std::string& documentName) {
    if (job_ != nullptr || !parts_.services->choosePrinter) {
        return false;
    }
    QMainWindow& window = *parts_.window;
    Application& app = *parts_.app;
    std::unique_ptr<QPrinter> printer = parts_.services->choosePrinter(window);
    if (printer == nullptr) {
        return false; // the print dialog was cancelled
    }
    if (!ui::hasDestination(*printer)) {
        app.frame().message(Severity::Error,
                            "There is no printer to print on, and no file was chosen.\n"
                            "Choose \"Print to File (PDF)\" and a file name to print "
                            "into a PDF file.");
        return false;
    }
    std::int32_t& cancelled = app.settings.record.printCancelled;
    const auto betweenPages = [this] {
        parts_.pageFinished(++printedPages_);
        QCoreApplication::processEvents();
    };
    auto job = std::make_unique<PrintJob>(
        std::move(printer), PrintJob::Hooks{betweenPages, [&cancelled] { return cancelled != 0; }});
    if (!job->begin(documentName, app.settings.textFont, window.logicalDpiY())) {
        app.frame().message(Severity::Error, "Unable to start print job");
        return false;
    }
    cancelled = 0;
    printedPages_ = 0;
    job_ = std::move(job);
    abortDialog_ = std::make_unique<AbortDialog>(&window);
    QObject::connect(abortDialog_.get(), &AbortDialog::cancelRequested, &window,
                     [&cancelled] { cancelled = 1; });
    window.setEnabled(false);
    // A dialog of a disabled window is disabled with it; this one must not be.
    abortDialog_->setEnabled(true);
    abortDialog_->show();
    QCoreApplication::processEvents();
    return true;
}

bool PrintPort::printLine(const std::string& text) {
    if (job_ == nullptr) {
        return false;
    }
    job_->printLine(text, parts_.app->settings.record.tabSize);
    return true;
}

void PrintPort::endPrint() {
    if (job_ == nullptr) {
        return;
    }
    job_->end();
    lastLayout_ = job_->layout();
    job_.reset();
    abortDialog_.reset();
    parts_.window->setEnabled(true);
    for (const int id : std::exchange(held_, {})) {
        parts_.app->frame().postCommand(id);
    }
    if (std::exchange(closeAfter_, false)) {
        QMetaObject::invokeMethod(parts_.window, &QWidget::close, Qt::QueuedConnection);
    }
}

} // namespace tandel
