#include "dialogs/select_directories_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "dialogs/options_text.h"
#include "settings/settings_record.h"

namespace tandel {

namespace {

// The first dropped item that names a local file or folder.
std::optional<QString> droppedPath(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return std::nullopt;
}

QPushButton* browseButton(int id, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
    return button;
}

} // namespace

SelectDirectoriesDialog::SelectDirectoriesDialog(Frame& frame, Settings& settings, Hooks hooks,
                                                 QWidget* parent)
    : QDialog(parent), frame_(frame), settings_(settings), hooks_(std::move(hooks)),
      dir1_(makeEdit(1004, settings.files.selectDir1)),
      dir2_(makeEdit(1003, settings.files.selectDir2)),
      other_(makeEdit(104, settings.files.selectOutdir)), destination_(new QButtonGroup(this)),
      showDirectories_(new QCheckBox(QStringLiteral("Show directories"), this)) {
    setObjectName(QStringLiteral("101"));
    setWindowTitle(QStringLiteral("Select directories to merge"));
    FilesSection& files = settings.files;

    auto* browse1 = browseButton(1000, this);
    auto* browse2 = browseButton(1001, this);
    auto* browseOut = browseButton(1002, this);
    connect(browse1, &QPushButton::clicked, this, [this, &files] {
        browse(dir1_, files.selectDir1, QStringLiteral("Select first directory"));
    });
    connect(browse2, &QPushButton::clicked, this, [this, &files] {
        browse(dir2_, files.selectDir2, QStringLiteral("Select second directory"));
    });
    connect(browseOut, &QPushButton::clicked, this, [this, &files] {
        browse(other_, files.selectOutdir, QStringLiteral("Select destination directory"));
    });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Directory 1:"), this), 0, 0);
    grid->addWidget(dir1_.edit, 0, 1);
    grid->addWidget(browse1, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Directory 2:"), this), 1, 0);
    grid->addWidget(dir2_.edit, 1, 1);
    grid->addWidget(browse2, 1, 2);
    const QString choices[] = {QStringLiteral("Directory 1"), QStringLiteral("Directory 2"),
                               QStringLiteral("Other:")};
    for (int c = kToDirectory1; c <= kToOther; ++c) {
        auto* radio = new QRadioButton(choices[c], this);
        radio->setObjectName(QString::number(1007 + c));
        destination_->addButton(radio, c);
        grid->addWidget(radio, 2 + c, 0);
    }
    grid->addWidget(other_.edit, 4, 1);
    grid->addWidget(browseOut, 4, 2);
    destination_->button(openingDestinationChoice())->setChecked(true);

    // Ticked at every opening, whatever the user chose the last time.
    showDirectories_->setObjectName(QStringLiteral("1010"));
    showDirectories_->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(showDirectories_);
    layout->addLayout(dialogButtons(this, {{QStringLiteral("OK"), 1, [this] { accept(); }},
                                           {QStringLiteral("Cancel"), 2, [this] { reject(); }},
                                           {QStringLiteral("Options"), 1005, [this] {
                                                if (hooks_.options)
                                                    hooks_.options(this);
                                            }}}));

    // Tab walks the rows as they stand; the edits were made before the rest.
    QWidget* const tabOrder[] = {dir1_.edit,
                                 browse1,
                                 dir2_.edit,
                                 browse2,
                                 destination_->button(kToDirectory1),
                                 destination_->button(kToDirectory2),
                                 destination_->button(kToOther),
                                 other_.edit,
                                 browseOut,
                                 showDirectories_,
                                 findChild<QPushButton*>(QStringLiteral("1"))};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

std::string SelectDirectoriesDialog::PathEdit::bytes() const {
    return bytesFromEdit(edit->text(), shownFrom);
}

void SelectDirectoriesDialog::PathEdit::set(const std::string& path) {
    shownFrom = path;
    edit->setText(textForEdit(path));
}

SelectDirectoriesDialog::PathEdit SelectDirectoriesDialog::makeEdit(int id,
                                                                    const std::string& text) {
    PathEdit path{new QLineEdit(this), {}};
    path.edit->setObjectName(QString::number(id));
    path.edit->setMinimumWidth(320);
    path.edit->installEventFilter(this);
    path.set(text);
    return path;
}

void SelectDirectoriesDialog::browse(PathEdit& edit, std::string& remembered,
                                     const QString& title) {
    remembered = edit.bytes();
    if (!hooks_.browse)
        return;
    if (const std::optional<std::string> chosen = hooks_.browse(this, title, remembered))
        edit.set(*chosen);
}

bool SelectDirectoriesDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!droppedPath(drag->mimeData()))
            return QDialog::eventFilter(watched, event);
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::optional<QString> path = droppedPath(drop->mimeData());
        if (!path)
            return QDialog::eventFilter(watched, event);
        for (PathEdit* target : {&dir1_, &dir2_, &other_})
            if (target->edit == edit)
                target->set(QFile::encodeName(*path).toStdString());
        drop->acceptProposedAction();
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void SelectDirectoriesDialog::accept() {
    SelectionForm form;
    form.dir1 = dir1_.bytes();
    form.dir2 = dir2_.bytes();
    form.other = other_.bytes();
    form.choice = destinationChoiceOf(destination_->checkedId());
    form.showDirectories = showDirectories_->isChecked();
    if (confirmSelection(*hooks_.files, frame_, form, settings_, selection_))
        QDialog::accept();
}

} // namespace tandel
