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

bool ConsoleFrame::replacesWritableTarget(const Question& question) const {
    const bool replaceKind =
        question.kind == QuestionKind::Overwrite || question.kind == QuestionKind::ReplaceFile;
    return replaceKind && !writableTarget_.empty() && question.path == writableTarget_;
}

bool ConsoleFrame::answer(const Question& question, bool yes) {
    message(Severity::Info, question.text + (yes ? " Yes" : " No"));
    // Declining anything about the run's own target means its result was
    // not saved: an error, not a remark.
    if (!yes && !writableTarget_.empty() && question.path == writableTarget_) {
        message(Severity::Error, "Nothing was saved to " + question.path);
    }
    return yes;
}

bool ConsoleFrame::confirmOverwrite(const Question& question) {
    return answer(question, replacesWritableTarget(question));
}

Answer ConsoleFrame::askYesNoCancel(const std::string& /*caption*/, const Question& question) {
    return answer(question, replacesWritableTarget(question)) ? Answer::Yes : Answer::No;
}

// A file whose backup failed is never overwritten without a user, nor is
// anything copied that nobody asked for.
Answer ConsoleFrame::askPermission(const Question& question) {
    return answer(question, replacesWritableTarget(question)) ? Answer::Yes : Answer::No;
}

Answer ConsoleFrame::askFileOrDirectory(const std::string& file, const std::string& directory) {
    message(Severity::Info, file + " / " + directory + ": Cancel");
    return Answer::Cancel;
}

void ConsoleFrame::sendCommand(int id) {
    if (handler_) {
        handler_(id);
    }
}

} // namespace tandel
