#include "dialogs/options_comments_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/compare_settings.h"
#include "settings/settings_record.h"

namespace tandel {
namespace {

constexpr int kCommentsHelp = 276;

QLineEdit* markerEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(kMaxMarkerLength);
    return edit;
}

} // namespace

OptionsCommentsPage::OptionsCommentsPage(OptionsTarget target, QWidget* parent)
    : OptionsPage(target, kCommentsHelp, parent), edit_(target.compare.comments) {
    begin_ = markerEdit("commentBegin");
    end_ = markerEdit("commentEnd");
    auto* list = new QListWidget;
    const ListButtons buttons =
        listButtons(list, {[this] {
                               return edit_.add(begin_->text().toUtf8().toStdString(),
                                                end_->text().toUtf8().toStdString());
                           },
                           [this](int selected) { return edit_.remove(selected); },
                           [this] { return edit_.entries(); }});

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(kOptionsPageMargin, kOptionsPageMargin, kOptionsPageMargin,
                             kOptionsPageMargin);
    grid->addWidget(new QLabel(QStringLiteral("Comments begin with:")), 0, 0);
    grid->addWidget(begin_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Comments end with:\n(Enter $ for end of line)")), 1,
                    0);
    grid->addWidget(end_, 1, 1);
    grid->addWidget(buttons.add, 0, 2);
    grid->addWidget(buttons.remove, 1, 2);
    grid->addWidget(list, 2, 0, 1, 3);
    grid->setRowStretch(2, 1);

    watchControls();
}

bool OptionsCommentsPage::apply() {
    edit_.apply(target_.compare.comments);
    return true;
}

} // namespace tandel
