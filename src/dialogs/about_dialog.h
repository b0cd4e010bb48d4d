// ABOUT_DIALOG: the program's name and version, as the main window's caption
// shows them, then the version alone, the Qt library the program runs on and
// the licence; any button closes it.
#pragma once

#include <QDialog>

namespace tandel {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // `version` is the program's version ("4.5").
    AboutDialog(const QString& title, const QString& version, QWidget* parent);
};

} // namespace tandel
