#include "dialogs/directory_filters_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

#include "dialogs/dialog_buttons.h"
#include "dialogs/list_box.h"
#include "dialogs/options_text.h"
#include "dirmerge/filter_lists.h"
#include "settings/settings_record.h"

namespace tandel {

DirectoryFiltersDialog::DirectoryFiltersDialog(Settings& settings, HelpOpener help, QWidget* parent)
    : QDialog(parent), settings_(settings),
      recursive_(new QCheckBox(QStringLiteral("Include &subdirectories"), this)),
      trustTimeStamps_(new QCheckBox(
          QStringLiteral("&Trust equal size and time stamps (faster, unsafe)"), this)) {
    setObjectName(QStringLiteral("COMP_FILTERS_DLG"));
    setWindowTitle(QStringLiteral("Directory Merging"));
    include_.working = settings.lists.includeFilters;
    exclude_.working = settings.lists.excludeFilters;
    recursive_->setObjectName(QStringLiteral("101"));
    recursive_->setChecked(settings.record.recursive != 0);
    // Off unless chosen: only the bytes prove two files equal, and a copy
    // that kept its stamps, or a clock set back, can make two different
    // files look alike.
    trustTimeStamps_->setObjectName(QStringLiteral("trustTimeStamps"));
    trustTimeStamps_->setChecked(settings.record.trustTimeStamps != 0);

    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(
        makeGroup(include_, QStringLiteral("Include file types"), 601, 109, 112, 103));
    groups->addWidget(
        makeGroup(exclude_, QStringLiteral("Exclude file types"), 603, 114, 115, 116));
    layout->addLayout(groups);
    auto* options = new QHBoxLayout;
    options->addWidget(recursive_);
    options->addWidget(trustTimeStamps_);
    options->addStretch();
    layout->addLayout(options);
    layout->addLayout(dialogButtons(
        this, {{QStringLiteral("&OK"), 1, [this] { accept(); }},
               {QStringLiteral("&Cancel"), 2, [this] { reject(); }},
               {QStringLiteral("Help"), 23, helpAction(std::move(help), kHelpContext)}}));
}

QWidget* DirectoryFiltersDialog::makeGroup(PatternGroup& group, const QString& title, int editId,
                                           int addId, int deleteId, int listId) {
    auto* box = new QGroupBox(title, this);
    group.edit = new QLineEdit(box);
    group.edit->setObjectName(QString::number(editId));
    group.edit->setMaxLength(kPatternLength);
    group.list = new QListWidget(box);
    group.list->setObjectName(QString::number(listId));
    for (const std::string& pattern : group.working)
        group.list->addItem(textForEdit(pattern));
    auto* add = new QPushButton(QStringLiteral("Add"), box);
    add->setObjectName(QString::number(addId));
    auto* del = new QPushButton(QStringLiteral("Delete"), box);
    del->setObjectName(QString::number(deleteId));
    connect(add, &QPushButton::clicked, this, [this, &group] { this->add(group); });
    group.edit->installEventFilter(this);
    connect(del, &QPushButton::clicked, this, [this, &group] { remove(group); });

    auto* grid = new QGridLayout(box);
    grid->addWidget(group.edit, 0, 0);
    grid->addWidget(add, 0, 1);
    grid->addWidget(group.list, 1, 0, 2, 1);
    grid->addWidget(del, 1, 1, Qt::AlignTop);
    return box;
}

bool DirectoryFiltersDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (PatternGroup* group : {&include_, &exclude_}) {
            // Enter with a pattern typed adds it; with none it is the dialog's OK.
            if (watched == group->edit && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
                !group->edit->text().isEmpty()) {
                add(*group);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DirectoryFiltersDialog::add(PatternGroup& group) {
    const QString text = group.edit->text();
    if (addPattern(group.working, text.toStdString()))
        group.list->addItem(text);
}

void DirectoryFiltersDialog::remove(PatternGroup& group) {
    const int row = selectedRow(group.list);
    if (removeEntry(group.working, row))
        const std::unique_ptr<QListWidgetItem> taken(group.list->takeItem(row));
}

void DirectoryFiltersDialog::accept() {
    settings_.record.recursive = recursive_->isChecked() ? 1 : 0;
    settings_.record.trustTimeStamps = trustTimeStamps_->isChecked() ? 1 : 0;
    settings_.lists.includeFilters = include_.working;
    settings_.lists.excludeFilters = exclude_.working;
    QDialog::accept();
}

} // namespace tandel
