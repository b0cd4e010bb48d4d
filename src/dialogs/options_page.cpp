#include "dialogs/options_page.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/options_text.h"
#include "frame/frame.h"

namespace tandel {

OptionsPage::OptionsPage(OptionsTarget target, int helpContext, QWidget* parent)
    : QWidget(parent), target_(target), helpContext_(helpContext) {}

void OptionsPage::watchControls() {
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        connect(button, &QAbstractButton::clicked, this, &OptionsPage::changed);
    }
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        connect(edit, &QLineEdit::textChanged, this, &OptionsPage::changed);
    }
}

bool OptionsPage::report(const OptionResult& result) {
    if (!result) {
        return true;
    }
    target_.messages.message(result->severity, result->text);
    return false;
}

OptionsPage::ListButtons OptionsPage::listButtons(QListWidget* list, ListSteps steps) {
    const ListButtons buttons{new QPushButton(QStringLiteral("&Add")),
                              new QPushButton(QStringLiteral("&Delete"))};
    const auto relist = [list, entries = steps.entries] {
        list->clear();
        for (const std::string& entry : entries()) {
            list->addItem(textForEdit(entry));
        }
    };
    relist();
    connect(buttons.add, &QPushButton::clicked, this, [this, relist, step = std::move(steps.add)] {
        if (report(step())) {
            relist();
        }
    });
    connect(buttons.remove, &QPushButton::clicked, this,
            [this, list, relist, step = std::move(steps.remove)] {
                const int selected = list->selectedItems().isEmpty() ? -1 : list->currentRow();
                if (report(step(selected))) {
                    relist();
                }
            });
    return buttons;
}

} // namespace tandel
