#include "dialogs/file_types_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

#include "dialogs/dialog_buttons.h"
#include "dialogs/list_box.h"
#include "dialogs/options_text.h"
#include "settings/settings_record.h"

namespace tandel {

namespace {

QLineEdit* makeEdit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setMaxLength(kFileTypeTextLength);
    return edit;
}

} // namespace

FileTypesDialog::FileTypesDialog(Settings& settings, HelpOpener help, QWidget* parent)
    : QDialog(parent), settings_(settings), working_(fileTypesOf(settings.lists)),
      pattern_(makeEdit(600, this)), description_(makeEdit(602, this)),
      list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("FILE_FILTERS"));
    setWindowTitle(QStringLiteral("Customize file types"));
    list_->setObjectName(QStringLiteral("102"));
    for (const FileType& type : working_)
        list_->addItem(textForEdit(fileTypeLine(type)));

    auto* add = new QPushButton(QStringLiteral("&Add"), this);
    add->setObjectName(QStringLiteral("108"));
    auto* del = new QPushButton(QStringLiteral("&Delete"), this);
    del->setObjectName(QStringLiteral("111"));
    connect(add, &QPushButton::clicked, this, &FileTypesDialog::add);
    connect(del, &QPushButton::clicked, this, &FileTypesDialog::remove);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("File filter:"), pattern_);
    form->addRow(QStringLiteral("Description:"), description_);
    layout->addLayout(form);
    auto* edits = new QHBoxLayout;
    edits->addStretch();
    edits->addWidget(add);
    edits->addWidget(del);
    layout->addLayout(edits);
    layout->addWidget(list_);
    layout->addLayout(dialogButtons(
        this, {{QStringLiteral("&OK"), 1, [this] { accept(); }},
               {QStringLiteral("&Cancel"), 2, [this] { reject(); }},
               {QStringLiteral("&Help"), 23, helpAction(std::move(help), kHelpContext)}}));
}

void FileTypesDialog::add() {
    const FileType type{pattern_->text().toStdString(), description_->text().toStdString()};
    if (addFileType(working_, type))
        list_->addItem(textForEdit(fileTypeLine(type)));
}

void FileTypesDialog::remove() {
    const int row = selectedRow(list_);
    if (removeEntry(working_, row))
        const std::unique_ptr<QListWidgetItem> taken(list_->takeItem(row));
}

void FileTypesDialog::accept() {
    storeFileTypes(settings_.lists, working_);
    QDialog::accept();
}

} // namespace tandel
