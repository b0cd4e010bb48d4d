// FILE_FILTERS, "Customize file types": the named file types that the open
// dialogs offer, edited as a working list that reaches the settings on OK.
#pragma once

#include <QDialog>

#include <vector>

#include "dialogs/directory_filters_dialog.h"
#include "dirmerge/filter_lists.h"

class QLineEdit;
class QListWidget;

namespace tandel {

class FileTypesDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 265;

    FileTypesDialog(Settings& settings, HelpOpener help, QWidget* parent);

public slots:
    void accept() override;

private:
    void add();
    void remove();

    Settings& settings_;
    std::vector<FileType> working_;
    QLineEdit* pattern_;
    QLineEdit* description_;
    QListWidget* list_;
};

} // namespace tandel
