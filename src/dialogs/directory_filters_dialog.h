// COMP_FILTERS_DLG, "Directory Merging": the include and exclude file
// patterns of the directory scan, "Include &subdirectories" and "&Trust equal
// size and time stamps". The lists are edited as working copies that reach
// the settings on OK only; Enter in a pattern edit adds its pattern.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "dialogs/dialog_buttons.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace tandel {

struct Settings;

class DirectoryFiltersDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 264;

    DirectoryFiltersDialog(Settings& settings, HelpOpener help, QWidget* parent);

public slots:
    void accept() override;

protected:
    // Enter in a pattern edit presses its Add.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One of the two groups: an edit, Add, Delete and the list box.
    struct PatternGroup {
        std::vector<std::string> working;
        QLineEdit* edit = nullptr;
        QListWidget* list = nullptr;
    };
    QWidget* makeGroup(PatternGroup& group, const QString& title, int editId, int addId,
                       int deleteId, int listId);
    void add(PatternGroup& group);
    void remove(PatternGroup& group);

    Settings& settings_;
    PatternGroup include_;
    PatternGroup exclude_;
    QCheckBox* recursive_;
    QCheckBox* trustTimeStamps_;
};

} // namespace tandel
