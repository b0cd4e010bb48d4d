// Page 1 of the options sheet, "General": comparison, merge, display and
// program options.
#pragma once

#include "dialogs/options_page.h"
#include "settings/general_options_edit.h"

#include <vector>

class QCheckBox;
class QLineEdit;

namespace tandel {

class OptionsGeneralPage : public OptionsPage {
    Q_OBJECT
public:
    explicit OptionsGeneralPage(OptionsTarget target, QWidget* parent = nullptr);
    [[nodiscard]] bool apply() override;

private:
    // One check box per flag of GeneralOptions.
    struct Box {
        bool GeneralOptions::*value;
        QCheckBox* widget = nullptr;
    };
    GeneralOptions shown() const;
    QCheckBox* box(bool GeneralOptions::*value) const;

    std::vector<Box> boxes_;
    QLineEdit* tabSize_ = nullptr;
    QLineEdit* contextLines_ = nullptr;
};

} // namespace tandel
