// Printing: the printer the user chooses, the job that puts lines on its
// pages, and the abort dialog that is the only window taking input while the
// job runs. Events go on between pages, so Cancel is heard; commands that
// arrive meanwhile wait for the job's end.
#pragma once

#include <memory>
#include <vector>

#include "app/window_parts.h"
#include "frame/printer.h"
#include "panes/print_layout.h"

namespace tandel {

class AbortDialog;
class PrintJob;

class PrintPort : public virtual Printer {
public:
    explicit PrintPort(WindowParts& parts);
    ~PrintPort() override;

    // The running job, else null.
    PrintJob* job() const { return job_.get(); }
    bool printing() const { return job_ != nullptr; }
    // A command that arrived while printing; it runs after the job.
    void hold(int id) { held_.push_back(id); }
    // Stops the job; the window closes once it has stopped.
    void cancelThenClose();
    // The abort dialog while a job runs, else null.
    AbortDialog* abortDialog() const { return abortDialog_.get(); }
    // Where the last job put its lines.
    const PageLayout& lastPrintLayout() const { return lastLayout_; }

    bool startPrint(const std::string& documentName) override;
    bool printLine(const std::string& text) override;
    void endPrint() override;

private:
    WindowParts& parts_;
    std::unique_ptr<PrintJob> job_;
    std::unique_ptr<AbortDialog> abortDialog_;
    PageLayout lastLayout_;
    int printedPages_ = 0;
    std::vector<int> held_;
    bool closeAfter_ = false;
};

} // namespace tandel
