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
    textFont_ = ui::fontFromDescription(stored);
    const ui::TextMeasures text = ui::measureFont(textFont_, this);
    record.lineHeight = text.lineHeight;
    record.charWidth = text.averageCharWidth;
}

void MainWindow::makeTitleFont() {
    titleFont_ = ui::fontFromDescription(app_.settings.titleFont);
    app_.settings.record.titleHeight =
        ui::measureFont(titleFont_, this).lineHeight + ui::kTitleMargin;
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
    if (!chooseFont(app_.settings.textFont, textFont_)) {
        return;
    }
    makeTextFont();
    container_->setFonts(textFont_, titleFont_);
    if (PreviewEdit* edit = preview()) {
        edit->setFont(textFont_);
        applyTabStops();
    }
    repaintPanes();
}

void MainWindow::chooseTitleFont() {
    if (!chooseFont(app_.settings.titleFont, titleFont_)) {
        return;
    }
    makeTitleFont();
    container_->setFonts(textFont_, titleFont_);
    // The titles' new height moves the panes down or up.
    container_->relayout();
    repaintTitles();
}

} // namespace tandel
