// FILE_TO_DIR_DLG, "Directory Compare": one side has a file where the other
// has a folder of the same name; which of them goes to the destination. OK
// gives the id of the checked choice, Cancel and Escape give Cancel.
#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;

namespace tandel {

class FileToDirDialog : public QDialog {
    Q_OBJECT
public:
    FileToDirDialog(const QString& file, const QString& directory, QWidget* parent);

    QString question() const;

public slots:
    void accept() override;
    void reject() override;

private:
    QLabel* text_;
    QButtonGroup* choices_;
};

} // namespace tandel
