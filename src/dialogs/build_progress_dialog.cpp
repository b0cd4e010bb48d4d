#include "dialogs/build_progress_dialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/options_text.h"

namespace tandel {

namespace {
// Often enough for the box to feel live and Cancel to answer at once.
constexpr qint64 kEventInterval = 25; // milliseconds
} // namespace

BuildProgressDialog::BuildProgressDialog(QWidget* owner) : QDialog(owner), path_(new QLabel(this)) {
    setObjectName(QStringLiteral("102"));
    setWindowTitle(QString());
    setModal(false);
    path_->setTextFormat(Qt::PlainText);
    path_->setMinimumWidth(360);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("2"));
    connect(cancel, &QPushButton::clicked, this, &BuildProgressDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Comparing:"), this));
    layout->addWidget(path_);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    row->addStretch();
    layout->addLayout(row);
}

bool BuildProgressDialog::step(const std::string& currentPath) {
    if (!sinceEvents_.isValid() || sinceEvents_.elapsed() >= kEventInterval) {
        path_->setText(textForEdit(currentPath));
        QCoreApplication::processEvents();
        sinceEvents_.start();
    }
    return !cancelled_;
}

QString BuildProgressDialog::shownPath() const {
    return path_->text();
}

void BuildProgressDialog::reject() {
    cancelled_ = true;
    QDialog::reject();
}

} // namespace tandel
