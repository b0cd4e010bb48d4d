#include "dialogs/ask_permission_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "frame/frame.h"

namespace tandel {

namespace {

struct PermissionButton {
    Answer id;
    const char* label;
};

constexpr std::array<PermissionButton, 5> kPermissionButtons{{
    {Answer::Yes, "&Yes"},
    {Answer::YesToAll, "Yes to &All"},
    {Answer::No, "&No"},
    {Answer::NoToAll, "No to A&ll"},
    {Answer::Cancel, "&Cancel"},
}};

} // namespace

AskPermissionDialog::AskPermissionDialog(const QString& question, QWidget* parent)
    : QDialog(parent), text_(new QLabel(question, this)) {
    setObjectName(QStringLiteral("ASK_PERMISSION"));
    setWindowTitle(QStringLiteral("Confirm file operation"));
    text_->setObjectName(QStringLiteral("504"));
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    auto* buttons = new QHBoxLayout;
    for (const PermissionButton& choice : kPermissionButtons) {
        auto* button = new QPushButton(QString::fromLatin1(choice.label), this);
        button->setObjectName(QString::number(static_cast<int>(choice.id)));
        button->setAutoDefault(false);
        if (choice.id == Answer::Yes) {
            button->setDefault(true);
        }
        const int id = static_cast<int>(choice.id);
        connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
}

QString AskPermissionDialog::question() const {
    return text_->text();
}

void AskPermissionDialog::reject() {
    done(static_cast<int>(Answer::Cancel));
}

} // namespace tandel
