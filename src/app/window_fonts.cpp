#include "app/window_fonts.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QMainWindow>

#include "app/window_frame.h"
#include "app/window_services.h"
#include "control/application.h"

#include "view/edit_cont.h"
#include "view/font_description.h"
#include "view/preview_edit.h"

namespace tandel {

void WindowFonts::make() {
    makeTextFont();
    makeTitleFont();
}

void WindowFonts::makeTextFont() {
    Application& app = *parts_.app;
    SettingsRecord& record = app.settings.record;
    FontDescription& stored = app.settings.textFont;
    if (stored.faceName.empty()) {
        // None chosen yet: the desktop's fixed-width font, kept from now on.
        stored = ui::descriptionFromFont(QFontDatabase::systemFont(QFontDatabase::FixedFont),
                                         stored, parts_.window->logicalDpiY());
    }
    parts_.textFont = ui::fontFromDescription(stored);
    const ui::TextMeasures text = ui::measureFont(parts_.textFont, parts_.window);
    record.lineHeight = text.lineHeight;
    record.charWidth = text.averageCharWidth;
}

void WindowFonts::makeTitleFont() {
    Application& app = *parts_.app;
    parts_.titleFont = ui::fontFromDescription(app.settings.titleFont);
    app.settings.record.titleHeight =
        ui::measureFont(parts_.titleFont, parts_.window).lineHeight + ui::kTitleMargin;
}

bool WindowFonts::choose(FontDescription& description, const QFont& current) {
    QFontDialog dialog(current, parts_.window);
    if (parts_.services->runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    description =
        ui::descriptionFromFont(dialog.selectedFont(), description, parts_.window->logicalDpiY());
    return true;
}

void WindowFonts::chooseTextFont() {
    WindowFrame& frame = *parts_.frame;
    if (!choose(parts_.app->settings.textFont, parts_.textFont)) {
        return;
    }
    makeTextFont();
    parts_.container->setFonts(parts_.textFont, parts_.titleFont);
    if (PreviewEdit* edit = frame.preview()) {
        edit->setFont(parts_.textFont);
        frame.applyTabStops();
    }
    frame.repaintPanes();
}

void WindowFonts::chooseTitleFont() {
    if (!choose(parts_.app->settings.titleFont, parts_.titleFont)) {
        return;
    }
    makeTitleFont();
    parts_.container->setFonts(parts_.textFont, parts_.titleFont);
    // The titles' new height moves the panes down or up.
    parts_.container->relayout();
    parts_.frame->repaintTitles();
}

} // namespace tandel
