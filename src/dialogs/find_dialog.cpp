#include "dialogs/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tandel {

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent), findWhat_(new QLineEdit(this)),
      matchCase_(new QCheckBox(QStringLiteral("Match case"), this)),
      findNext_(new QPushButton(QStringLiteral("Find Next"), this)) {
    setObjectName(QStringLiteral("FIND_DIALOG"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    auto* label = new QLabel(QStringLiteral("Find what"), this);
    label->setBuddy(findWhat_);
    findWhat_->setObjectName(QStringLiteral("findWhat"));
    findWhat_->setMaxLength(kMaxTextLength);
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    findNext_->setObjectName(QStringLiteral("findNext"));
    findNext_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(findWhat_, 0, 1);
    layout->addWidget(findNext_, 0, 2);
    layout->addWidget(matchCase_, 1, 0, 1, 2);
    layout->addWidget(cancel, 1, 2);

    // As with the system's own find dialog, there is nothing to find next
    // while the text is empty.
    connect(findWhat_, &QLineEdit::textChanged, this,
            [this](const QString& text) { findNext_->setEnabled(!text.isEmpty()); });
    connect(findNext_, &QPushButton::clicked, this,
            [this] { emit findNextRequested(text(), matchCase()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    reset(true);
}

void FindDialog::reset(bool matchCase) {
    findWhat_->clear();
    findNext_->setEnabled(false);
    matchCase_->setChecked(matchCase);
    findWhat_->setFocus();
}

QString FindDialog::text() const {
    return findWhat_->text();
}

bool FindDialog::matchCase() const {
    return matchCase_->isChecked();
}

void FindDialog::done(int result) {
    emit closing(matchCase());
    QDialog::done(result);
}

} // namespace tandel
