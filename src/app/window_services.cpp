#include "app/window_services.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPrinter>
#include <QUrl>

#include <unistd.h>

#include <cstdlib>

#include "app/help_location.h"
#include "app/open_windows.h"
#include "dirmerge/child_commands.h"
#include "settings/settings_path.h"
#include "view/print_setup.h"

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
    services.openWindowsPath = ui::openWindowsPath(std::getenv("XDG_RUNTIME_DIR"), ::getuid());
    services.helpPage = ui::findHelpPage(QCoreApplication::applicationDirPath().toStdString());
    // Handing the page to whatever the desktop opens HTML files with may
    // land in an editor; only a browser the user named is trusted with it.
    services.openUrl = [](const QUrl& url) {
        std::vector<std::string> command =
            ui::browserCommand(std::getenv("BROWSER"), url.toString().toStdString());
        if (command.empty()) {
            return false;
        }
        command[0] = ui::programOnPath(command[0], std::getenv("PATH"));
        return !command[0].empty() && startDetached(command);
    };
    services.runModal = [](QDialog& dialog) { return dialog.exec(); };
    services.choosePrinter = [](QWidget& parent) { return ui::choosePrinter(parent); };
    services.threadedComparisons = true;
    return services;
}

} // namespace tandel
