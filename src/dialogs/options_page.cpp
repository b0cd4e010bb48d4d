#include "dialogs/options_page.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>

#include "merge/application.h"

namespace tandel {

OptionsPage::OptionsPage(Application& app, int helpContext, QWidget* parent)
    : QWidget(parent), app_(app), helpContext_(helpContext) {}

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
    app_.frame().message(result->severity, result->text);
    return false;
}

int OptionsPage::selectedRow(const QListWidget& list) {
    return list.selectedItems().isEmpty() ? -1 : list.currentRow();
}

} // namespace tandel
