#include "control/console_frame.h"

namespace tandel {

namespace {

const char* severityLabel(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "Error: ";
    case Severity::Warning:
        return "Warning: ";
    case Severity::Info:
        break;
    }
    return "Info: ";
}

} // namespace

void ConsoleFrame::runPosted(const std::function<bool()>& stop) {
    while (!posted_.empty() && !stop()) {
        const int id = posted_.front();
        posted_.pop_front();
        if (handler_) {
            handler_(id);
        }
    }
}

void ConsoleFrame::message(Severity severity, const std::string& text) {
    if (severity == Severity::Error) {
        ++errorCount_;
    }
    errors_ << severityLabel(severity) << text << '\n' << std::flush;
}

bool ConsoleFrame::namesWritableTarget(const std::string& text, const std::string& lead) const {
    if (writableTarget_.empty()) {
        return false;
    }
    const std::string expected = lead + writableTarget_ + " already exists.";
    return text.compare(0, expected.size(), expected) == 0;
}

bool ConsoleFrame::confirmOverwrite(const std::string& text) {
    const bool yes = namesWritableTarget(text, "File ");
    message(Severity::Info, text + (yes ? " Yes" : " No"));
    return yes;
}

int ConsoleFrame::askYesNoCancel(const std::string& /*caption*/, const std::string& text) {
    // Identical files are saved by copying file 1 over the target, which asks
    // with this box instead of the overwrite question.
    const bool yes = namesWritableTarget(text, "Destination file ");
    message(Severity::Info, text + (yes ? " Yes" : " No"));
    return yes ? kAnswerYes : kAnswerNo;
}

int ConsoleFrame::askPermission(const std::string& text) {
    message(Severity::Info, text + " No");
    return kAnswerNo;
}

int ConsoleFrame::askFileOrDirectory(const std::string& file, const std::string& directory) {
    message(Severity::Info, file + " / " + directory + ": Cancel");
    return kAnswerCancel;
}

void ConsoleFrame::sendCommand(int id) {
    if (handler_) {
        handler_(id);
    }
}

} // namespace tandel
