// ASK_PERMISSION, "Confirm file operation": the question of a copy into the
// destination, answered for this file or for all that follow. The result is
// the id of the button pressed; Escape and closing the window give Cancel.
#pragma once

#include <QDialog>

class QLabel;

namespace tandel {

class AskPermissionDialog : public QDialog {
    Q_OBJECT
public:
    AskPermissionDialog(const QString& question, QWidget* parent);

    QString question() const;

public slots:
    void reject() override;

private:
    QLabel* text_;
};

} // namespace tandel
