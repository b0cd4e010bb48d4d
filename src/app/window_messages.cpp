#include "app/window_messages.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

#include "app/window_services.h"
#include "dialogs/ask_permission_dialog.h"
#include "dialogs/file_to_dir_dialog.h"
#include "view/qt_string.h"

namespace tandel {

namespace {

constexpr int kNoticeMs = 8000;

struct SeverityLook {
    const char* caption;
    QMessageBox::Icon icon;
};

SeverityLook lookOf(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return {"Error", QMessageBox::Critical};
    case Severity::Warning:
        return {"Warning", QMessageBox::Warning};
    case Severity::Info:
        break;
    }
    return {"Info", QMessageBox::Information};
}

} // namespace

void WindowMessages::message(Severity severity, const std::string& text) {
    const SeverityLook look = lookOf(severity);
    QMessageBox box(look.icon, QString::fromLatin1(look.caption), qs(text), QMessageBox::Ok,
                    parts_.window);
    parts_.services->runModal(box);
}

void WindowMessages::notice(const std::string& text) {
    parts_.window->statusBar()->showMessage(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), kNoticeMs);
}

bool WindowMessages::confirmOverwrite(const Question& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm the operation"),
                    qs(question.text), QMessageBox::Yes | QMessageBox::No, parts_.window);
    parts_.services->runModal(box);
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

Answer WindowMessages::askYesNoCancel(const std::string& caption, const Question& question) {
    // Unsaved choices are answered the way every desktop program asks it.
    const bool unsaved = question.kind == QuestionKind::UnsavedDecisions;
    const QMessageBox::StandardButton yes = unsaved ? QMessageBox::Save : QMessageBox::Yes;
    const QMessageBox::StandardButton no = unsaved ? QMessageBox::Discard : QMessageBox::No;
    QMessageBox box(unsaved ? QMessageBox::Warning : QMessageBox::Question, qs(caption),
                    qs(question.text), yes | no | QMessageBox::Cancel, parts_.window);
    box.setDefaultButton(unsaved ? QMessageBox::Save : QMessageBox::NoButton);
    parts_.services->runModal(box);
    if (box.clickedButton() == box.button(yes)) {
        return Answer::Yes;
    }
    return box.clickedButton() == box.button(no) ? Answer::No : Answer::Cancel;
}

Answer WindowMessages::askPermission(const Question& question) {
    AskPermissionDialog dialog(qs(question.text), parts_.window);
    return static_cast<Answer>(parts_.services->runModal(dialog)); // ends with a button's answer
}

Answer WindowMessages::askFileOrDirectory(const std::string& file, const std::string& directory) {
    FileToDirDialog dialog(qs(file), qs(directory), parts_.window);
    return static_cast<Answer>(parts_.services->runModal(dialog)); // ends with a choice's answer
}

} // namespace tandel
