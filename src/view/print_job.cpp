#include "view/print_job.h"

#include <QFontMetrics>
#include <QPrinter>

#include "dialogs/options_text.h"
#include "dirmerge/list_print.h"
#include "panes/line_expansion.h"
#include "view/font_description.h"

namespace tandel {

PrintJob::PrintJob(std::unique_ptr<QPrinter> printer, Hooks hooks)
    : printer_(std::move(printer)), hooks_(std::move(hooks)) {}

PrintJob::~PrintJob() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

bool PrintJob::begin(const std::string& documentName, const FontDescription& textFont,
                     int screenDpi) {
    FontDescription scaled = textFont;
    scaled.height = printerFontHeight(textFont.height, screenDpi, printer_->logicalDpiY());
    fontHeight_ = scaled.height;
    font_ = ui::fontFromDescription(scaled);
    printer_->setDocName(QString::fromStdString(documentName));
    if (!painter_.begin(printer_.get())) {
        return false;
    }
    painter_.setFont(font_);
    const QFontMetrics metrics(font_, printer_.get());
    ascent_ = metrics.ascent();
    layout_ = makePageLayout(metrics.height(), printer_->height());
    columnWidth_ = listPrintColumnWidth(
        static_cast<std::int32_t>(printer_->paperRect(QPrinter::DevicePixel).width()),
        static_cast<std::int32_t>(printer_->pageRect(QPrinter::DevicePixel).left()));
    return true;
}

bool PrintJob::placeNextLine() {
    if (hooks_.cancelled && hooks_.cancelled()) {
        return false;
    }
    if (layout_.breaksBefore(next_)) {
        // The finished page is the caller's moment to let the user cancel;
        // a cancel then leaves the document at the pages printed so far.
        if (hooks_.betweenPages) {
            hooks_.betweenPages();
        }
        if (hooks_.cancelled && hooks_.cancelled()) {
            return false;
        }
        printer_->newPage();
        painter_.setFont(font_);
    }
    return true;
}

void PrintJob::drawText(const QString& text, int x, int y) {
    painter_.drawText(x, y + ascent_, text);
}

void PrintJob::printLine(std::string_view line, std::int32_t tabSize) {
    if (!painter_.isActive() || !placeNextLine()) {
        return;
    }
    const std::u32string expanded = expandedLine(line, tabSize);
    drawText(QString::fromUcs4(expanded.data(), static_cast<qsizetype>(expanded.size())), 0,
             static_cast<int>(layout_.lineY(next_)));
    ++next_;
}

void PrintJob::printListRow(const ComparisonRow& row) {
    if (!painter_.isActive() || !placeNextLine()) {
        return;
    }
    const ListPrintRow printed = layOutListPrintRow(row, next_, layout_, columnWidth_);
    for (const ListPrintCell* cell : {&printed.left, &printed.right}) {
        const QRect rect(static_cast<int>(cell->x), static_cast<int>(cell->y),
                         static_cast<int>(cell->width), static_cast<int>(cell->height));
        if (cell->grey) {
            painter_.fillRect(rect,
                              QColor(kDifferentCellGrey, kDifferentCellGrey, kDifferentCellGrey));
        }
        painter_.save();
        painter_.setClipRect(rect);
        drawText(textForEdit(cell->text), rect.x(), rect.y());
        painter_.restore();
    }
    ++next_;
}

void PrintJob::end() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

} // namespace tandel
