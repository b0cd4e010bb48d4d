#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>

#include <algorithm>

#include "app/open_filters.h"
#include "app/window_services.h"
#include "control/application.h"
#include "view/qt_string.h"

namespace tandel {

namespace {

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

bool FileDialogs::run(QFileDialog& dialog, std::int32_t& filterIndex, const std::string& name,
                      std::string& chosen) {
    QStringList filters;
    for (const std::string& filter : ui::openFilters(parts_.app->settings.lists)) {
        filters << qs(filter);
    }
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(
        filters.at(ui::filterToSelect(filterIndex, static_cast<std::size_t>(filters.size()))));
    if (!name.empty()) {
        dialog.selectFile(qs(name));
    }
    if (parts_.services->runModal(dialog) != QDialog::Accepted ||
        dialog.selectedFiles().isEmpty()) {
        return false;
    }
    filterIndex = static_cast<std::int32_t>(
        std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
    chosen = dialog.selectedFiles().front().toStdString();
    return true;
}

bool FileDialogs::chooseOpenFile(const std::string& title, const std::string& startDirectory,
                                 std::string& chosen) {
    Application& app = *parts_.app;
    const int side = title == "Open file 2" ? 2 : 1;
    FilesSection& files = app.settings.files;
    // The file loaded on that side, in its own folder: never a name left
    // from another folder, which the dialog would not find.
    const QFileInfo loaded(QFile::decodeName(app.model.side(side).fileName.c_str()));
    const bool isLoaded = !app.model.side(side).fileName.empty() && loaded.isFile();
    QFileDialog dialog(parts_.window, qs(title),
                       isLoaded ? loaded.absolutePath() : startFolder(startDirectory));
    dialog.setObjectName(side == 2 ? QStringLiteral("open2") : QStringLiteral("open1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const std::string name =
        isLoaded ? std::string(QFile::encodeName(loaded.fileName()).constData()) : std::string();
    return run(dialog, side == 2 ? files.currentIndex2 : files.currentIndex1, name, chosen);
}

bool FileDialogs::chooseSaveFile(const std::string& startDirectory, const std::string& proposal,
                                 std::string& chosen) {
    Application& app = *parts_.app;
    QFileDialog dialog(parts_.window, QString(), startFolder(startDirectory));
    dialog.setObjectName(QStringLiteral("save"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The save asks its own question before it replaces a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return run(dialog, app.settings.files.saveIndex,
               proposal.empty() ? app.model.saveName : proposal, chosen);
}

} // namespace tandel
