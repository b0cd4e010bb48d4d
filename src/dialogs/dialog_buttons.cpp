#include "dialogs/dialog_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace tandel {

std::function<void()> helpAction(HelpOpener help, int context) {
    return [help = std::move(help), context] {
        if (help)
            help(context);
    };
}

QHBoxLayout* dialogButtons(QWidget* owner, std::initializer_list<DialogButton> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    bool first = true;
    for (const DialogButton& b : buttons) {
        auto* button = new QPushButton(b.label, owner);
        button->setObjectName(QString::number(b.id));
        button->setDefault(first);
        first = false;
        QObject::connect(button, &QPushButton::clicked, owner, b.action);
        row->addWidget(button);
    }
    return row;
}

} // namespace tandel
