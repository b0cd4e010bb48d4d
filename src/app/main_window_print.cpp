// Printing: the printer the user chooses, the job that puts lines on its
// pages, and the abort dialog that is the only window taking input while the
// job runs. Events go on between pages, so Cancel is heard; commands that
// arrive meanwhile wait for the job's end.
#include "app/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPrinter>

#include "dialogs/abort_dialog.h"
#include "view/print_job.h"
#include "view/print_setup.h"

namespace tandel {

bool MainWindow::startPrint(const std::string& documentName) {
    if (printJob_ != nullptr || !services_.choosePrinter) {
        return false;
    }
    std::unique_ptr<QPrinter> printer = services_.choosePrinter(*this);
    if (printer == nullptr) {
        return false; // the print dialog was cancelled
    }
    if (!ui::hasDestination(*printer)) {
        message(Severity::Error, "There is no printer to print on, and no file was chosen.\n"
                                 "Choose \"Print to File (PDF)\" and a file name to print "
                                 "into a PDF file.");
        return false;
    }
    std::int32_t& cancelled = app_.settings.record.printCancelled;
    auto job = std::make_unique<PrintJob>(
        std::move(printer),
        PrintJob::Hooks{[this] { betweenPrintedPages(); }, [&cancelled] { return cancelled != 0; }});
    if (!job->begin(documentName, app_.settings.textFont, logicalDpiY())) {
        message(Severity::Error, "Unable to start print job");
        return false;
    }
    cancelled = 0;
    printedPages_ = 0;
    printJob_ = std::move(job);
    abortDialog_ = std::make_unique<AbortDialog>(this);
    connect(abortDialog_.get(), &AbortDialog::cancelRequested, this,
            [&cancelled] { cancelled = 1; });
    setEnabled(false);
    // A dialog of a disabled window is disabled with it; this one must not be.
    abortDialog_->setEnabled(true);
    abortDialog_->show();
    QCoreApplication::processEvents();
    return true;
}

void MainWindow::betweenPrintedPages() {
    emit printPageFinished(++printedPages_);
    QCoreApplication::processEvents();
}

bool MainWindow::printLine(const std::string& text) {
    if (printJob_ == nullptr) {
        return false;
    }
    printJob_->printLine(text, app_.settings.record.tabSize);
    return true;
}

void MainWindow::printDirectoryLists() {
    if (printJob_ == nullptr) {
        return;
    }
    const std::vector<ComparisonRow>& rows = directories_.state.rows;
    for (const int row : directories_.shownRows()) {
        if (app_.settings.record.printCancelled != 0) {
            return;
        }
        printJob_->printListRow(rows[static_cast<std::size_t>(row)]);
    }
}

void MainWindow::endPrint() {
    if (printJob_ == nullptr) {
        return;
    }
    printJob_->end();
    lastPrintLayout_ = printJob_->layout();
    printJob_.reset();
    abortDialog_.reset();
    setEnabled(true);
    for (const int id : std::exchange(heldCommands_, {})) {
        postCommand(id);
    }
    if (std::exchange(closeAfterPrint_, false)) {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

} // namespace tandel
