// Page 4 of the options sheet, "Define column positions": the ranges of bytes
// that form the columns under the position type, edited as a copy until apply.
#pragma once

#include "dialogs/options_page.h"
#include "settings/table_options_edit.h"

class QLineEdit;

namespace tandel {

class OptionsPositionsPage : public OptionsPage {
    Q_OBJECT
public:
    explicit OptionsPositionsPage(OptionsTarget target, QWidget* parent = nullptr);
    [[nodiscard]] bool apply() override;

private:
    ColumnPositionsEdit edit_;
    QLineEdit* first_ = nullptr;
    QLineEdit* last_ = nullptr;
};

} // namespace tandel
