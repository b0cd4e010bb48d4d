#include "dialogs/options_column_type_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/options_text.h"
#include "engine/compare_settings.h"
#include "settings/settings_record.h"

namespace tandel {
namespace {

constexpr int kColumnTypeHelp = 260;

// By column type code.
constexpr std::array<const char*, kColumnTypeCount> kRadioLabels = {
    "&Numeric",
    "&String",
    "&Alphanumeric",
    "&White-space separated",
    "&Custom character set",
    "Separated &By:",
    "&Defined by position",
};

} // namespace

OptionsColumnTypePage::OptionsColumnTypePage(OptionsTarget target, QWidget* parent)
    : OptionsPage(target, kColumnTypeHelp, parent), initial_(readColumnTypeChoice(target.compare)) {
    auto* group = new QGroupBox(QStringLiteral("Data type"));
    auto* grid = new QGridLayout(group);
    auto* buttons = new QButtonGroup(this);
    for (int code = 0; code < kColumnTypeCount; ++code) {
        auto* radio = new QRadioButton(QString::fromLatin1(kRadioLabels[std::size_t(code)]));
        radio->setChecked(code == initial_.code);
        buttons->addButton(radio, code);
        grid->addWidget(radio, code, 0);
        radios_[std::size_t(code)] = radio;
    }
    charset_ = new QLineEdit(textForEdit(initial_.charsetText));
    charset_->setObjectName(QStringLiteral("customCharset"));
    separators_ = new QLineEdit(textForEdit(initial_.separatorsText));
    separators_->setObjectName(QStringLiteral("customSeparators"));
    grid->addWidget(charset_, kColumnCustomCharset, 1);
    grid->addWidget(separators_, kColumnCustomSeparators, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kColumnTypeCount, 1);

    ignoreMultiSeps_ = new QCheckBox(QStringLiteral("&Ignore subsequent separators"));
    ignoreMultiSeps_->setChecked(initial_.ignoreMultiSeps);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(kOptionsPageMargin, kOptionsPageMargin, kOptionsPageMargin,
                             kOptionsPageMargin);
    page->addWidget(group, 1);
    page->addWidget(ignoreMultiSeps_);
    watchControls();
}

bool OptionsColumnTypePage::apply() {
    std::array<bool, kColumnTypeCount> checked{};
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        checked[i] = radios_[i]->isChecked();
    }
    ColumnTypeChoice choice;
    choice.code = firstCheckedColumnType(checked, target_.compare.columnType);
    choice.charsetText = bytesFromEdit(charset_->text(), initial_.charsetText);
    choice.separatorsText = bytesFromEdit(separators_->text(), initial_.separatorsText);
    choice.ignoreMultiSeps = ignoreMultiSeps_->isChecked();
    applyColumnType(choice, target_.compare);
    return true;
}

} // namespace tandel
