// The window's own dialogs: help and the options, run through the services'
// modal runner.
#include "app/main_window.h"

#include <QFileInfo>
#include <QUrl>

#include "app/help_location.h"
#include "app/help_viewer.h"
#include "dialogs/options_sheet.h"
#include "view/qt_string.h"

namespace tandel {

void MainWindow::showHelp(int context) {
    if (services_.helpPage.empty()) {
        const std::string programDir =
            QFileInfo(qs(services_.programPath)).absolutePath().toStdString();
        std::string where;
        for (const std::string& folder : ui::helpFolders(programDir)) {
            where += "\n" + folder;
        }
        frame_.message(Severity::Error, "The help pages (index.html) were not found in:" + where);
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
    OptionsSheet sheet({app_.settings.record, app_.compare, frame_}, this);
    connect(&sheet, &OptionsSheet::applied, this, [this] {
        menus_.syncToolbarChecks();
        frame_.applyTabStops();
        frame_.repaintPanes();
    });
    connect(&sheet, &OptionsSheet::helpRequested, this, [this](int context) { showHelp(context); });
    services_.runModal(sheet);
}

} // namespace tandel
