// ABOUT_DIALOG: the program's name and version, as the main window's caption
// shows them; any button closes it.
#pragma once

#include <QDialog>

namespace tandel {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QString& title, QWidget* parent);
};

} // namespace tandel
