// Page 5 of the options sheet, "Comments definition": the begin and end
// markers of the comments that comparisons can ignore.
#pragma once

#include "dialogs/options_page.h"
#include "settings/comment_list_edit.h"

class QLineEdit;

namespace tandel {

class OptionsCommentsPage : public OptionsPage {
    Q_OBJECT
public:
    explicit OptionsCommentsPage(OptionsTarget target, QWidget* parent = nullptr);
    [[nodiscard]] bool apply() override;

private:
    CommentListEdit edit_;
    QLineEdit* begin_ = nullptr;
    QLineEdit* end_ = nullptr;
};

} // namespace tandel
