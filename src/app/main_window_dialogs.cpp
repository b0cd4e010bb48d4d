// The frame's dialogs: message boxes, the confirmation questions, the open
// and save dialogs, help and the About box. Every one runs through the
// services' modal runner.
#include "app/main_window.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include <algorithm>

#include "app/help_location.h"
#include "app/help_viewer.h"
#include "app/open_filters.h"
#include "dialogs/about_dialog.h"
#include "dialogs/ask_permission_dialog.h"
#include "dialogs/file_to_dir_dialog.h"
#include "dialogs/options_sheet.h"

namespace tandel {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

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

// The folder a dialog starts in: the remembered one when it is a folder, its
// parent when it names a file, else wherever the dialog likes.
QString startFolder(const std::string& remembered) {
    if (remembered.empty()) {
        return {};
    }
    const QFileInfo info(qs(remembered));
    if (info.isDir()) {
        return info.absoluteFilePath();
    }
    return info.absoluteDir().exists() ? info.absolutePath() : QString();
}

} // namespace

void MainWindow::message(Severity severity, const std::string& text) {
    const SeverityLook look = lookOf(severity);
    QMessageBox box(look.icon, QString::fromLatin1(look.caption), qs(text), QMessageBox::Ok, this);
    services_.runModal(box);
}

bool MainWindow::confirmOverwrite(const Question& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm the operation"),
                    qs(question.text), QMessageBox::Yes | QMessageBox::No, this);
    services_.runModal(box);
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

Answer MainWindow::askYesNoCancel(const std::string& caption, const Question& question) {
    // Unsaved choices are answered the way every desktop program asks it.
    const bool unsaved = question.kind == QuestionKind::UnsavedDecisions;
    const QMessageBox::StandardButton yes = unsaved ? QMessageBox::Save : QMessageBox::Yes;
    const QMessageBox::StandardButton no = unsaved ? QMessageBox::Discard : QMessageBox::No;
    QMessageBox box(unsaved ? QMessageBox::Warning : QMessageBox::Question, qs(caption),
                    qs(question.text), yes | no | QMessageBox::Cancel, this);
    box.setDefaultButton(unsaved ? QMessageBox::Save : QMessageBox::NoButton);
    services_.runModal(box);
    if (box.clickedButton() == box.button(yes)) {
        return Answer::Yes;
    }
    return box.clickedButton() == box.button(no) ? Answer::No : Answer::Cancel;
}

Answer MainWindow::askPermission(const Question& question) {
    AskPermissionDialog dialog(qs(question.text), this);
    return static_cast<Answer>(services_.runModal(dialog)); // ends with a button's answer
}

Answer MainWindow::askFileOrDirectory(const std::string& file, const std::string& directory) {
    FileToDirDialog dialog(qs(file), qs(directory), this);
    return static_cast<Answer>(services_.runModal(dialog)); // ends with a choice's answer
}

bool MainWindow::runFileDialog(QFileDialog& dialog, std::int32_t& filterIndex,
                               const std::string& name, std::string& chosen) {
    QStringList filters;
    for (const std::string& filter : ui::openFilters(app_.settings.lists)) {
        filters << qs(filter);
    }
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.at(ui::filterToSelect(filterIndex, filters.size())));
    if (!name.empty()) {
        dialog.selectFile(qs(name));
    }
    if (services_.runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    filterIndex = static_cast<std::int32_t>(
        std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
    chosen = dialog.selectedFiles().front().toStdString();
    return true;
}

bool MainWindow::chooseOpenFile(const std::string& title, const std::string& startDirectory,
                                std::string& chosen) {
    const int side = title == "Open file 2" ? 2 : 1;
    FilesSection& files = app_.settings.files;
    // The file loaded on that side, in its own folder: never a name left
    // from another folder, which the dialog would not find.
    const QFileInfo loaded(QFile::decodeName(app_.model.side(side).fileName.c_str()));
    const bool isLoaded = !app_.model.side(side).fileName.empty() && loaded.isFile();
    QFileDialog dialog(this, qs(title),
                       isLoaded ? loaded.absolutePath() : startFolder(startDirectory));
    dialog.setObjectName(side == 2 ? QStringLiteral("open2") : QStringLiteral("open1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const std::string name =
        isLoaded ? std::string(QFile::encodeName(loaded.fileName()).constData()) : std::string();
    return runFileDialog(dialog, side == 2 ? files.currentIndex2 : files.currentIndex1, name,
                         chosen);
}

bool MainWindow::chooseSaveFile(const std::string& startDirectory, const std::string& proposal,
                                std::string& chosen) {
    QFileDialog dialog(this, QString(), startFolder(startDirectory));
    dialog.setObjectName(QStringLiteral("save"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The save asks its own question before it replaces a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return runFileDialog(dialog, app_.settings.files.saveIndex,
                         proposal.empty() ? app_.model.saveName : proposal, chosen);
}

void MainWindow::showHelp(int context) {
    if (services_.helpPage.empty()) {
        const std::string programDir = QFileInfo(qs(services_.programPath)).absolutePath().toStdString();
        std::string where;
        for (const std::string& folder : ui::helpFolders(programDir)) {
            where += "\n" + folder;
        }
        message(Severity::Error, "The help pages (index.html) were not found in:" + where);
        return;
    }
    QUrl url = QUrl::fromLocalFile(qs(services_.helpPage));
    const std::string fragment = ui::helpFragment(context);
    if (!fragment.empty()) {
        url.setFragment(qs(fragment));
    }
    if (services_.openUrl(url)) {
        return;
    }
    if (helpViewer_ == nullptr) {
        helpViewer_ = new HelpViewer(this);
    }
    helpViewer_->showPage(url);
}

void MainWindow::openOptions() {
    OptionsSheet sheet(app_, this);
    connect(&sheet, &OptionsSheet::applied, this, [this] {
        syncToolbarChecks();
        applyTabStops();
        repaintPanes();
    });
    connect(&sheet, &OptionsSheet::helpRequested, this, [this](int context) { showHelp(context); });
    services_.runModal(sheet);
}

void MainWindow::showAbout() {
    AboutDialog dialog(QString::fromLatin1(kWindowCaption), QString::fromLatin1(kVersion), this);
    services_.runModal(dialog);
}

} // namespace tandel
