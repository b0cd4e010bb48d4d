#include "dialogs/options_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/options_column_type_page.h"
#include "dialogs/options_columns_page.h"
#include "dialogs/options_comments_page.h"
#include "dialogs/options_general_page.h"
#include "dialogs/options_positions_page.h"

namespace tandel {

OptionsSheet::OptionsSheet(OptionsTarget target, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tandel options"));
    tabs_ = new QTabWidget;
    // Every caption stays in sight: the sheet grows to fit them.
    tabs_->setUsesScrollButtons(false);
    const std::pair<OptionsPage*, const char*> pages[] = {
        {new OptionsGeneralPage(target), "General"},
        {new OptionsColumnsPage(target), "Table Columns Selection"},
        {new OptionsColumnTypePage(target), "Column type"},
        {new OptionsPositionsPage(target), "Define column positions"},
        {new OptionsCommentsPage(target), "Comments definition"},
    };
    for (const auto& [page, caption] : pages) {
        tabs_->addTab(page, QString::fromLatin1(caption));
        pageList_.push_back(page);
    }

    auto* buttons = new QDialogButtonBox;
    const std::pair<QDialogButtonBox::StandardButton, const char*> texts[] = {
        {QDialogButtonBox::Ok, "OK"},
        {QDialogButtonBox::Cancel, "Cancel"},
        {QDialogButtonBox::Apply, "Apply"},
        {QDialogButtonBox::Help, "Help"},
    };
    for (const auto& [which, text] : texts) {
        buttons->addButton(which)->setText(QString::fromLatin1(text));
    }
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setEnabled(false);
    for (OptionsPage* page : pageList_) {
        connect(page, &OptionsPage::changed, apply_, [this] { apply_->setEnabled(true); });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsSheet::reject);
    connect(apply_, &QPushButton::clicked, this, &OptionsSheet::applyFromButton);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        emit helpRequested(pageList_[std::size_t(tabs_->currentIndex())]->helpContext());
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    tabs_->setCurrentIndex(0);
}

std::optional<int> OptionsSheet::applyPages() {
    for (std::size_t i = 0; i < pageList_.size(); ++i) {
        if (!pageList_[i]->apply()) {
            if (i > 0) {
                emit applied();
            }
            return static_cast<int>(i);
        }
    }
    apply_->setEnabled(false);
    emit applied();
    return std::nullopt;
}

bool OptionsSheet::applyFromButton() {
    if (const auto refused = applyPages()) {
        tabs_->setCurrentIndex(*refused);
        return false;
    }
    return true;
}

void OptionsSheet::accept() {
    if (applyFromButton()) {
        QDialog::accept();
    }
}

} // namespace tandel
