// Page 2 of the options sheet, "Table Columns Selection": all columns but some,
// or only the columns listed.
#pragma once

#include <array>

#include "dialogs/options_page.h"
#include "settings/table_options_edit.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tandel {

class OptionsColumnsPage : public OptionsPage {
    Q_OBJECT
public:
    explicit OptionsColumnsPage(OptionsTarget target, QWidget* parent = nullptr);
    [[nodiscard]] bool apply() override;

private:
    // A list edit with its column boxes "1" to "6".
    struct ListRow {
        QLineEdit* edit = nullptr;
        std::array<QCheckBox*, kColumnBoxCount> boxes{};
    };
    void fillRow(ListRow& row, const char* name, const std::string& text,
                 const std::array<bool, kColumnBoxCount>& checked);
    void columnClicked(ListRow& row, int n, bool checked);

    QRadioButton* allColumns_ = nullptr;
    QRadioButton* specifiedOnly_ = nullptr;
    QCheckBox* except_ = nullptr;
    ListRow ignored_;
    ListRow included_;
};

} // namespace tandel
