// Page 3 of the options sheet, "Column type": how a line is cut into columns.
#pragma once

#include <array>
#include <string>

#include "dialogs/options_page.h"
#include "settings/table_options_edit.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tandel {

class OptionsColumnTypePage : public OptionsPage {
    Q_OBJECT
public:
    explicit OptionsColumnTypePage(OptionsTarget target, QWidget* parent = nullptr);
    [[nodiscard]] bool apply() override;

private:
    std::array<QRadioButton*, kColumnTypeCount> radios_{}; // by code
    QLineEdit* charset_ = nullptr;
    QLineEdit* separators_ = nullptr;
    QCheckBox* ignoreMultiSeps_ = nullptr;
    ColumnTypeChoice initial_;
};

} // namespace tandel
