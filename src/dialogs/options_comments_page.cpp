#include "dialogs/options_comments_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/options_text.h"
#include "merge/application.h"

namespace tandel {
namespace {

constexpr int kHelpContext = 276;
constexpr int kMargin = 5;

QLineEdit* markerEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(kMaxMarkerLength);
    return edit;
}

} // namespace

OptionsCommentsPage::OptionsCommentsPage(Application& app, QWidget* parent)
    : OptionsPage(app, kHelpContext, parent), edit_(app.compare.comments) {
    begin_ = markerEdit("commentBegin");
    end_ = markerEdit("commentEnd");
    auto* add = new QPushButton(QStringLiteral("&Add"));
    auto* remove = new QPushButton(QStringLiteral("&Delete"));
    list_ = new QListWidget;
    relist();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid->addWidget(new QLabel(QStringLiteral("Comments begin with:")), 0, 0);
    grid->addWidget(begin_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Comments end with:\n(Enter $ for end of line)")), 1,
                    0);
    grid->addWidget(end_, 1, 1);
    grid->addWidget(add, 0, 2);
    grid->addWidget(remove, 1, 2);
    grid->addWidget(list_, 2, 0, 1, 3);
    grid->setRowStretch(2, 1);

    connect(add, &QPushButton::clicked, this, [this] {
        const QByteArray begin = begin_->text().toUtf8();
        const QByteArray end = end_->text().toUtf8();
        if (report(edit_.add(begin.toStdString(), end.toStdString()))) {
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

void OptionsCommentsPage::relist() {
    list_->clear();
    for (const std::string& entry : edit_.entries()) {
        list_->addItem(textForEdit(entry));
    }
}

bool OptionsCommentsPage::apply() {
    edit_.apply(app_.compare.comments);
    return true;
}

} // namespace tandel
