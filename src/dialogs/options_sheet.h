// The modal property sheet "Tandel options" (the Options menu's General
// command): five pages with OK, Cancel, Apply and Help. Nothing changes until
// OK or Apply; Cancel leaves every setting as it was.
#pragma once

#include <QDialog>

#include <optional>
#include <vector>

#include "dialogs/options_target.h"

class QPushButton;
class QTabWidget;

namespace tandel {

class OptionsPage;

class OptionsSheet : public QDialog {
    Q_OBJECT
public:
    explicit OptionsSheet(OptionsTarget target, QWidget* parent = nullptr);

    QTabWidget* pages() const { return tabs_; }

    // Applies every page in page order. A page that refuses stops the run; the
    // pages before it stay applied. Returns the index of the refusing page.
    [[nodiscard]] std::optional<int> applyPages();

public slots:
    void accept() override; // OK: apply, and close unless a page refused

signals:
    // After an apply in which any page committed: the window re-sets what
    // shows the options (toolbar check buttons, preview tab stops, both panes).
    // No comparison starts.
    void applied();
    // Help for the current page, by its help context.
    void helpRequested(int context);

private:
    // Apply or OK: a refusing page stays in front. True when all applied.
    bool applyFromButton();

    std::vector<OptionsPage*> pageList_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* apply_ = nullptr;
};

} // namespace tandel
