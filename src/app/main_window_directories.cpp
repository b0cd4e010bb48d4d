// Directory merging in the window: the selection dialog and the walk it
// starts, the two filter dialogs, the list build with its progress box and
// the caption naming both directories, and the directory window's commands
// and keys.
#include "app/main_window.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>

#include "control/toolbar_flags.h"
#include "dialogs/build_progress_dialog.h"
#include "dialogs/directory_filters_dialog.h"
#include "dialogs/file_types_dialog.h"
#include "dialogs/options_text.h"
#include "dialogs/select_directories_dialog.h"
#include "dirmerge/list_geometry.h"
#include "frame/command_ids.h"
#include "view/directory_window.h"
#include "view/edit_cont.h"
#include "view/scroll_keys.h"

namespace tandel {

DirectoryWindow* MainWindow::directoryWindow() const {
    return parts_.container != nullptr ? parts_.container->directoryWindow() : nullptr;
}

RouterInputs MainWindow::routerInputs() {
    RouterInputs inputs;
    inputs.chooseDirectories = [this](DirectorySelection& selection) {
        return chooseDirectories(selection);
    };
    inputs.selectedItems = [this] {
        return directoryWindow() != nullptr ? directoryWindow()->selection() : ListSelection{};
    };
    inputs.buildProgress = [this](const std::string& path) {
        return progress_ == nullptr || progress_->step(path);
    };
    inputs.listOrder = [this] {
        return directoryWindow() != nullptr ? directoryWindow()->order() : std::vector<int>{};
    };
    return inputs;
}

bool MainWindow::runDirectoryCommand(int id) {
    switch (id) {
    case cmd::kFileTypes:
        showFileTypes();
        return true;
    case cmd::kDirectoryMergingOptions:
        showDirectoryFilters(this);
        return true;
    case cmd::kCompareDirectoryLists:
        buildDirectoryList();
        return true;
    case cmd::kRescanDirectories:
    case cmd::kToggleSubdirectories:
    case cmd::kCopyToDestination:
        if (directoryWindow() == nullptr) {
            return false;
        }
        if (id == cmd::kCopyToDestination) {
            router_.route(id);
            directoryWindow()->rowsChanged();
            return true;
        }
        if (id == cmd::kToggleSubdirectories && flipToolbarFlag(app_, id)) {
            syncToolbarChecks();
        }
        buildDirectoryList();
        return true;
    case cmd::kNextSegment:
    case cmd::kPrevSegment:
        if (directoryWindow() == nullptr) {
            return false;
        }
        if (id == cmd::kNextSegment) {
            directoryWindow()->next();
        } else {
            directoryWindow()->previous();
        }
        return true;
    default:
        return false;
    }
}

bool MainWindow::chooseDirectories(DirectorySelection& selection) {
    SelectDirectoriesDialog::Hooks hooks;
    hooks.browse = [this](QWidget* owner, const QString& title, const std::string& start) {
        return browseForFolder(owner, title, start);
    };
    hooks.options = [this](QWidget* owner) { showDirectoryFilters(owner); };
    hooks.files = app_.model.files;
    SelectDirectoriesDialog dialog(frame_, app_.settings, std::move(hooks), this);
    if (services_.runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    selection = dialog.selection();
    return true;
}

std::optional<std::string> MainWindow::browseForFolder(QWidget* owner, const QString& title,
                                                       const std::string& start) {
    QFileDialog dialog(owner, title, QFile::decodeName(start.c_str()));
    dialog.setObjectName(QStringLiteral("folder"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (services_.runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

void MainWindow::showDirectoryFilters(QWidget* owner) {
    DirectoryFiltersDialog dialog(app_.settings, [this](int context) { showHelp(context); }, owner);
    services_.runModal(dialog);
}

// The open dialogs build their filters from the file types each time they
// open, so the new types are offered at once.
void MainWindow::showFileTypes() {
    FileTypesDialog dialog(app_.settings, [this](int context) { showHelp(context); }, this);
    services_.runModal(dialog);
}

void MainWindow::buildDirectoryList() {
    if (progress_ != nullptr) {
        return;
    }
    const FilesSection& files = app_.settings.files;
    setWindowTitle(QString::fromLatin1(kWindowCaption) + QStringLiteral(" - ") +
                   textForEdit(files.selectDir1) + QStringLiteral(" : ") +
                   textForEdit(files.selectDir2));
    if (quickMenu_ != nullptr) {
        if (auto* include = quickMenu_->findChild<QAction*>(
                QString::number(cmd::kToggleSubdirectories))) {
            include->setCheckable(true);
            include->setChecked(app_.settings.record.recursive != 0);
        }
    }
    BuildProgressDialog dialog(this);
    dialog.show();
    progress_ = &dialog;
    router_.route(cmd::kCompareDirectoryLists);
    progress_ = nullptr;
    // Closing the window stopped the build; now the window closes.
    if (directories_.state.cancelRequested) {
        close();
    }
}

bool MainWindow::scrollListsByKey(const QKeyEvent& event) {
    const std::optional<PaneKey> paneKey = ui::scrollKeyOf(event);
    if (directoryWindow() == nullptr || !paneKey) {
        return false;
    }
    directoryWindow()->scrollByKey(*paneKey);
    return true;
}

} // namespace tandel
