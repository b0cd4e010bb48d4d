// One page of the "Tandel options" sheet: it fills its controls from the
// application's settings when made, tells the sheet when the user changes
// something, and commits its controls on apply.
#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/options_target.h"
#include "settings/option_notice.h"

class QListWidget;
class QPushButton;

namespace tandel {

// The space around a page's controls.
inline constexpr int kOptionsPageMargin = 5;

class OptionsPage : public QWidget {
    Q_OBJECT
public:
    OptionsPage(OptionsTarget target, int helpContext, QWidget* parent = nullptr);

    int helpContext() const { return helpContext_; }

    // Commits the page into the settings. False when the page refused: it has
    // told the user why and committed nothing.
    [[nodiscard]] virtual bool apply() = 0;

signals:
    void changed();

protected:
    // Every button click and every edit change in the page from now on marks
    // the sheet changed; called once the controls hold their first values.
    void watchControls();
    // Shows the notice, if any, through the frame's message box; true when there
    // was none.
    bool report(const OptionResult& result);
    // A list edited through "&Add" and "&Delete" buttons, made here: each runs
    // its step (Delete with the selected row, -1 for none), shows the step's
    // notice, and relists the entries when the step went through.
    struct ListSteps {
        std::function<OptionResult()> add;
        std::function<OptionResult(int selected)> remove;
        std::function<std::vector<std::string>()> entries;
    };
    struct ListButtons {
        QPushButton* add;
        QPushButton* remove;
    };
    ListButtons listButtons(QListWidget* list, ListSteps steps);

    OptionsTarget target_;

private:
    int helpContext_;
};

} // namespace tandel
