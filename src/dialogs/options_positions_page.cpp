#include "dialogs/options_positions_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "merge/application.h"

namespace tandel {
namespace {

constexpr int kHelpContext = 267;
constexpr int kMargin = 5;

} // namespace

OptionsPositionsPage::OptionsPositionsPage(Application& app, QWidget* parent)
    : OptionsPage(app, kHelpContext, parent), edit_(app.compare.positions) {
    first_ = new QLineEdit;
    first_->setObjectName(QStringLiteral("firstPosition"));
    last_ = new QLineEdit;
    last_->setObjectName(QStringLiteral("lastPosition"));
    auto* add = new QPushButton(QStringLiteral("&Add"));
    auto* remove = new QPushButton(QStringLiteral("&Delete"));
    list_ = new QListWidget;
    relist();

    auto* group = new QGroupBox;
    auto* layout = new QHBoxLayout(group);
    auto* inputs = new QFormLayout;
    inputs->addRow(QStringLiteral("First position:"), first_);
    inputs->addRow(QStringLiteral("Last position:"), last_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    inputs->addRow(buttons);
    layout->addLayout(inputs);
    layout->addWidget(list_, 1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    page->addWidget(group);

    connect(add, &QPushButton::clicked, this, [this] {
        if (report(edit_.add(first_->text().toStdString(), last_->text().toStdString()))) {
            relist();
        }
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (report(edit_.remove(selectedRow(*list_)))) {
            relist();
        }
    });
    watchControls();
}

void OptionsPositionsPage::relist() {
    list_->clear();
    for (const std::string& entry : edit_.entries()) {
        list_->addItem(QString::fromStdString(entry));
    }
}

bool OptionsPositionsPage::apply() {
    edit_.apply(app_.compare);
    return true;
}

} // namespace tandel
