#include "app/directory_commands.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>

#include "app/window_caption.h"
#include "app/window_frame.h"
#include "app/window_menus.h"
#include "app/window_services.h"
#include "control/application.h"
#include "control/toolbar_flags.h"
#include "dialogs/build_progress_dialog.h"
#include "dialogs/directory_filters_dialog.h"
#include "dialogs/file_types_dialog.h"
#include "dialogs/options_text.h"
#include "dialogs/select_directories_dialog.h"
#include "dirmerge/directory_merge.h"
#include "dirmerge/list_geometry.h"
#include "frame/command_ids.h"
#include "view/directory_window.h"
#include "view/edit_cont.h"
#include "view/scroll_keys.h"

namespace tandel {

DirectoryWindow* DirectoryCommands::lists() const {
    return parts_.container != nullptr ? parts_.container->directoryWindow() : nullptr;
}

RouterInputs DirectoryCommands::routerInputs() {
    RouterInputs inputs;
    inputs.chooseDirectories = [this](DirectorySelection& selection) {
        return chooseDirectories(selection);
    };
    inputs.selectedItems = [this] {
        return lists() != nullptr ? lists()->selection() : ListSelection{};
    };
    inputs.buildProgress = [this](const std::string& path) {
        return progress_ == nullptr || progress_->step(path);
    };
    inputs.listOrder = [this] {
        return lists() != nullptr ? lists()->order() : std::vector<int>{};
    };
    return inputs;
}

bool DirectoryCommands::run(int id) {
    switch (id) {
    case cmd::kFileTypes:
        showFileTypes();
        return true;
    case cmd::kDirectoryMergingOptions:
        showDirectoryFilters(parts_.window);
        return true;
    case cmd::kCompareDirectoryLists:
        buildList();
        return true;
    case cmd::kRescanDirectories:
    case cmd::kToggleSubdirectories:
    case cmd::kCopyToDestination:
        if (lists() == nullptr) {
            return false;
        }
        if (id == cmd::kCopyToDestination) {
            parts_.router->route(id);
            lists()->rowsChanged();
            return true;
        }
        if (id == cmd::kToggleSubdirectories && flipToolbarFlag(*parts_.app, id)) {
            parts_.syncToolbarChecks();
        }
        buildList();
        return true;
    case cmd::kNextSegment:
    case cmd::kPrevSegment:
        if (lists() == nullptr) {
            return false;
        }
        if (id == cmd::kNextSegment) {
            lists()->next();
        } else {
            lists()->previous();
        }
        return true;
    default:
        return false;
    }
}

bool DirectoryCommands::chooseDirectories(DirectorySelection& selection) {
    SelectDirectoriesDialog::Hooks hooks;
    hooks.browse = [this](QWidget* owner, const QString& title, const std::string& start) {
        return browseForFolder(owner, title, start);
    };
    hooks.options = [this](QWidget* owner) { showDirectoryFilters(owner); };
    hooks.files = parts_.app->model.files;
    SelectDirectoriesDialog dialog(*parts_.frame, parts_.app->settings, std::move(hooks),
                                   parts_.window);
    if (parts_.services->runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    selection = dialog.selection();
    return true;
}

std::optional<std::string> DirectoryCommands::browseForFolder(QWidget* owner, const QString& title,
                                                              const std::string& start) {
    QFileDialog dialog(owner, title, QFile::decodeName(start.c_str()));
    dialog.setObjectName(QStringLiteral("folder"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (parts_.services->runModal(dialog) != QDialog::Accepted ||
        dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

void DirectoryCommands::showDirectoryFilters(QWidget* owner) {
    DirectoryFiltersDialog dialog(parts_.app->settings, parts_.showHelp, owner);
    parts_.services->runModal(dialog);
}

// The open dialogs build their filters from the file types each time they
// open, so the new types are offered at once.
void DirectoryCommands::showFileTypes() {
    FileTypesDialog dialog(parts_.app->settings, parts_.showHelp, parts_.window);
    parts_.services->runModal(dialog);
}

void DirectoryCommands::buildList() {
    Application& app = *parts_.app;
    if (progress_ != nullptr) {
        return;
    }
    const FilesSection& files = app.settings.files;
    parts_.window->setWindowTitle(QString::fromLatin1(kWindowCaption) + QStringLiteral(" - ") +
                                  textForEdit(files.selectDir1) + QStringLiteral(" : ") +
                                  textForEdit(files.selectDir2));
    if (QMenu* quickMenu = menus_.quickMenu()) {
        if (auto* include =
                quickMenu->findChild<QAction*>(QString::number(cmd::kToggleSubdirectories))) {
            include->setCheckable(true);
            include->setChecked(app.settings.record.recursive != 0);
        }
    }
    BuildProgressDialog dialog(parts_.window);
    dialog.show();
    progress_ = &dialog;
    parts_.router->route(cmd::kCompareDirectoryLists);
    progress_ = nullptr;
    // Closing the window stopped the build; now the window closes.
    if (parts_.directories->state.cancelRequested) {
        parts_.window->close();
    }
}

bool DirectoryCommands::scrollListsByKey(const QKeyEvent& event) {
    const std::optional<PaneKey> paneKey = ui::scrollKeyOf(event);
    if (lists() == nullptr || !paneKey) {
        return false;
    }
    lists()->scrollByKey(*paneKey);
    return true;
}

} // namespace tandel
