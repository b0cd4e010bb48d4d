// ABORTDLG: shown while a print job runs, the only window that takes input
// then. Its Cancel button (or Escape, or closing it) asks the job to stop.
#pragma once

#include <QDialog>

namespace tandel {

class AbortDialog : public QDialog {
    Q_OBJECT
public:
    explicit AbortDialog(QWidget* parent);

signals:
    void cancelRequested();

protected:
    void done(int result) override;
};

} // namespace tandel
