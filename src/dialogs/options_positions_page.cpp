#include "dialogs/options_positions_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/compare_settings.h"
#include "settings/settings_record.h"

namespace tandel {
namespace {

constexpr int kPositionsHelp = 267;

} // namespace

OptionsPositionsPage::OptionsPositionsPage(OptionsTarget target, QWidget* parent)
    : OptionsPage(target, kPositionsHelp, parent), edit_(target.compare.positions) {
    first_ = new QLineEdit;
    first_->setObjectName(QStringLiteral("firstPosition"));
    last_ = new QLineEdit;
    last_->setObjectName(QStringLiteral("lastPosition"));
    auto* list = new QListWidget;
    const ListButtons listed = listButtons(
        list,
        {[this] { return edit_.add(first_->text().toStdString(), last_->text().toStdString()); },
         [this](int selected) { return edit_.remove(selected); },
         [this] { return edit_.entries(); }});

    auto* group = new QGroupBox;
    auto* layout = new QHBoxLayout(group);
    auto* inputs = new QFormLayout;
    inputs->addRow(QStringLiteral("First position:"), first_);
    inputs->addRow(QStringLiteral("Last position:"), last_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(listed.add);
    buttons->addWidget(listed.remove);
    inputs->addRow(buttons);
    layout->addLayout(inputs);
    layout->addWidget(list, 1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(kOptionsPageMargin, kOptionsPageMargin, kOptionsPageMargin,
                             kOptionsPageMargin);
    page->addWidget(group);

    watchControls();
}

bool OptionsPositionsPage::apply() {
    edit_.apply(target_.compare);
    return true;
}

} // namespace tandel
