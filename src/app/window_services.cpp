#include "app/window_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QPrinter>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include "app/help_location.h"
#include "view/print_setup.h"
#include "settings/settings_path.h"

namespace tandel {

WindowServices desktopServices() {
    WindowServices services;
    services.settingsPath = defaultSettingsPath();
    services.programPath = QCoreApplication::applicationFilePath().toStdString();
    services.startInstance = [](const std::vector<std::string>& arguments) {
        if (arguments.empty()) {
            return;
        }
        QStringList list;
        for (auto it = arguments.begin() + 1; it != arguments.end(); ++it) {
            list << QString::fromStdString(*it);
        }
        QProcess::startDetached(QString::fromStdString(arguments.front()), list);
    };
    services.helpPage = ui::findHelpPage(QCoreApplication::applicationDirPath().toStdString());
    services.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    services.runModal = [](QDialog& dialog) { return dialog.exec(); };
    services.choosePrinter = [](QWidget& parent) { return ui::choosePrinter(parent); };
    return services;
}

} // namespace tandel
