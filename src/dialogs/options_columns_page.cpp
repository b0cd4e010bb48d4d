#include "dialogs/options_columns_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/compare_settings.h"
#include "settings/settings_record.h"

namespace tandel {
namespace {

constexpr int kColumnsHelp = 287;
constexpr int kIndent = 20;

} // namespace

OptionsColumnsPage::OptionsColumnsPage(OptionsTarget target, QWidget* parent)
    : OptionsPage(target, kColumnsHelp, parent) {
    const ColumnSelection initial = readColumnSelection(target.compare);

    allColumns_ = new QRadioButton(QStringLiteral("All Columns"));
    except_ = new QCheckBox(QStringLiteral("Except for these:"));
    specifiedOnly_ = new QRadioButton(QStringLiteral("Specified columns only:"));
    (initial.specifiedOnly ? specifiedOnly_ : allColumns_)->setChecked(true);
    except_->setChecked(initial.except);
    fillRow(ignored_, "ignored", initial.ignoredText, initial.ignoredBoxes);
    fillRow(included_, "included", initial.includedText, initial.includedBoxes);

    auto* group = new QGroupBox;
    auto* grid = new QGridLayout(group);
    const auto addRow = [grid](int at, const ListRow& row) {
        grid->addWidget(row.edit, at, 2);
        auto* boxes = new QHBoxLayout;
        for (QCheckBox* box : row.boxes) {
            boxes->addWidget(box);
        }
        boxes->addStretch();
        grid->addLayout(boxes, at + 1, 2);
    };
    // "Except for these:" belongs to "All Columns" and sits indented under it.
    grid->setColumnMinimumWidth(0, kIndent);
    grid->setColumnStretch(2, 1);
    grid->addWidget(allColumns_, 0, 0, 1, 2);
    grid->addWidget(except_, 1, 1);
    addRow(1, ignored_);
    grid->addWidget(specifiedOnly_, 3, 0, 1, 2);
    addRow(3, included_);
    grid->setRowStretch(5, 1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(kOptionsPageMargin, kOptionsPageMargin, kOptionsPageMargin,
                             kOptionsPageMargin);
    page->addWidget(group);
    watchControls();
}

void OptionsColumnsPage::fillRow(ListRow& row, const char* name, const std::string& text,
                                 const std::array<bool, kColumnBoxCount>& checked) {
    row.edit = new QLineEdit(QString::fromStdString(text));
    row.edit->setObjectName(QStringLiteral("%1Columns").arg(QLatin1String(name)));
    for (int n = 1; n <= kColumnBoxCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        auto* box = new QCheckBox(QString::number(n));
        box->setObjectName(QStringLiteral("%1Column%2").arg(QLatin1String(name)).arg(n));
        box->setChecked(checked[i]);
        connect(box, &QCheckBox::clicked, this,
                [this, &row, n](bool on) { columnClicked(row, n, on); });
        row.boxes[i] = box;
    }
}

void OptionsColumnsPage::columnClicked(ListRow& row, int n, bool checked) {
    // A column to leave out only means something with "Except for these:".
    if (&row == &ignored_) {
        except_->setChecked(true);
    }
    row.edit->setText(
        QString::fromStdString(toggleColumnInText(row.edit->text().toStdString(), n, checked)));
}

bool OptionsColumnsPage::apply() {
    ColumnSelection s;
    s.specifiedOnly = specifiedOnly_->isChecked();
    s.except = except_->isChecked();
    s.ignoredText = ignored_.edit->text().toStdString();
    s.includedText = included_.edit->text().toStdString();
    return report(applyColumnSelection(s, target_.compare));
}

} // namespace tandel
