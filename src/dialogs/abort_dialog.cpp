#include "dialogs/abort_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tandel {

AbortDialog::AbortDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ABORTDLG"));
    setWindowTitle(QStringLiteral("Abort printing"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Printing text"), this));
    auto* hint = new QLabel(QStringLiteral("Press Cancel to terminate"), this);
    hint->setObjectName(QStringLiteral("20"));
    layout->addWidget(hint);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
}

void AbortDialog::done(int result) {
    emit cancelRequested();
    QDialog::done(result);
}

} // namespace tandel
