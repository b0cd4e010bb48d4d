#include "dialogs/about_dialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <QtGlobal>

namespace tandel {

namespace {

// No licence has been published with the program yet; this line is the one
// place to name it once it is.
constexpr const char* kLicence = "Licence: none stated yet";

QLabel* line(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    // So that a bug report can quote it.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

AboutDialog::AboutDialog(const QString& title, const QString& version, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ABOUT_DIALOG"));
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(line(title, "501", this));
    layout->addWidget(line(QStringLiteral("Version %1").arg(version), "version", this));
    // The library found at run time, which may differ from the one built against.
    layout->addWidget(
        line(QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion())), "qtVersion", this));
    layout->addWidget(line(QString::fromLatin1(kLicence), "licence", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace tandel
