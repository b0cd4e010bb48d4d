// The text font of the panes and the preview, the title font of the titles,
// and the commands that choose them.
#include "app/main_window.h"

#include <QFontDatabase>
#include <QFontDialog>

#include "view/font_description.h"
#include "view/edit_cont.h"
#include "view/preview_edit.h"

namespace tandel {

void MainWindow::makeFonts() {
    makeTextFont();
    makeTitleFont();
}

void MainWindow::makeTextFont() {
    SettingsRecord& record = app_.settings.record;
    FontDescription& stored = app_.settings.textFont;
    if (stored.faceName.empty()) {
        // None chosen yet: the desktop's fixed-width font, kept from now on.
        stored = ui::descriptionFromFont(QFontDatabase::systemFont(QFontDatabase::FixedFont),
                                         stored, logicalDpiY());
    }
    parts_.textFont = ui::fontFromDescription(stored);
    const ui::TextMeasures text = ui::measureFont(parts_.textFont, this);
    record.lineHeight = text.lineHeight;
    record.charWidth = text.averageCharWidth;
}

void MainWindow::makeTitleFont() {
    parts_.titleFont = ui::fontFromDescription(app_.settings.titleFont);
    app_.settings.record.titleHeight =
        ui::measureFont(parts_.titleFont, this).lineHeight + ui::kTitleMargin;
}

bool MainWindow::chooseFont(FontDescription& description, const QFont& current) {
    QFontDialog dialog(current, this);
    if (services_.runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    description = ui::descriptionFromFont(dialog.selectedFont(), description, logicalDpiY());
    return true;
}

void MainWindow::chooseTextFont() {
    if (!chooseFont(app_.settings.textFont, parts_.textFont)) {
        return;
    }
    makeTextFont();
    parts_.container->setFonts(parts_.textFont, parts_.titleFont);
    if (PreviewEdit* edit = frame_.preview()) {
        edit->setFont(parts_.textFont);
        frame_.applyTabStops();
    }
    frame_.repaintPanes();
}

void MainWindow::chooseTitleFont() {
    if (!chooseFont(app_.settings.titleFont, parts_.titleFont)) {
        return;
    }
    makeTitleFont();
    parts_.container->setFonts(parts_.textFont, parts_.titleFont);
    // The titles' new height moves the panes down or up.
    parts_.container->relayout();
    frame_.repaintTitles();
}

} // namespace tandel
