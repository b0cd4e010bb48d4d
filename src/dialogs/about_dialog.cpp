#include "dialogs/about_dialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tandel {

AboutDialog::AboutDialog(const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ABOUT_DIALOG"));
    setWindowTitle(QStringLiteral("About"));
    auto* text = new QLabel(title, this);
    text->setObjectName(QStringLiteral("501"));
    text->setAlignment(Qt::AlignCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

} // namespace tandel
