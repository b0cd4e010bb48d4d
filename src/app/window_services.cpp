#include "app/window_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QPrinter>
#include <QUrl>

#include "app/help_location.h"
#include "dirmerge/child_commands.h"
#include "view/print_setup.h"
#include "settings/settings_path.h"

namespace tandel {

WindowServices desktopServices() {
    WindowServices services;
    services.settingsPath = defaultSettingsPath();
    services.programPath = QCoreApplication::applicationFilePath().toStdString();
    // Paths go to the instance as their bytes: a QString would replace what
    // is not valid UTF-8 in a file name.
    services.startInstance = [](const std::vector<std::string>& arguments) {
        (void)startDetached(arguments);
    };
    services.helpPage = ui::findHelpPage(QCoreApplication::applicationDirPath().toStdString());
    services.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    services.runModal = [](QDialog& dialog) { return dialog.exec(); };
    services.choosePrinter = [](QWidget& parent) { return ui::choosePrinter(parent); };
    services.threadedComparisons = true;
    return services;
}

} // namespace tandel
