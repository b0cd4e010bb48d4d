#include "dialogs/file_to_dir_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

#include "frame/frame.h"

namespace tandel {

namespace {

struct TargetButton {
    Answer id;
    const char* label;
};

constexpr std::array<TargetButton, 3> kTargetButtons{{
    {Answer::File, "&File"},
    {Answer::Directory, "&Directory"},
    {Answer::None, "&None"},
}};

} // namespace

FileToDirDialog::FileToDirDialog(const QString& file, const QString& directory, QWidget* parent)
    : QDialog(parent),
      text_(new QLabel(QStringLiteral("File %1 corresponds to directory %2. Which of them should "
                                      "be copied to the target directory?")
                           .arg(file, directory),
                       this)),
      choices_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("FILE_TO_DIR_DLG"));
    setWindowTitle(QStringLiteral("Directory Compare"));
    text_->setObjectName(QStringLiteral("504"));
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    for (const TargetButton& choice : kTargetButtons) {
        auto* radio = new QRadioButton(QString::fromLatin1(choice.label), this);
        radio->setObjectName(QString::number(static_cast<int>(choice.id)));
        choices_->addButton(radio, static_cast<int>(choice.id));
        layout->addWidget(radio);
    }
    choices_->button(static_cast<int>(Answer::File))->setChecked(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &FileToDirDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FileToDirDialog::reject);
    layout->addWidget(buttons);
}

QString FileToDirDialog::question() const {
    return text_->text();
}

void FileToDirDialog::accept() {
    const auto checked = static_cast<Answer>(choices_->checkedId());
    const bool chosen = checked == Answer::File || checked == Answer::Directory;
    done(static_cast<int>(chosen ? checked : Answer::None));
}

void FileToDirDialog::reject() {
    done(static_cast<int>(Answer::Cancel));
}

} // namespace tandel
