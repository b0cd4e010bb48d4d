// One print job on a printer: the printer font scaled from the text font,
// each line at its place on its page, a page ended only when a line needs
// the next one, and a pause between pages in which the caller may cancel.
#pragma once

#include <QFont>
#include <QPainter>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "panes/print_layout.h"
#include "settings/settings_record.h"

class QPrinter;

namespace tandel {

struct ComparisonRow;

class PrintJob {
public:
    struct Hooks {
        // Runs after a page is finished, before the next one is started.
        std::function<void()> betweenPages;
        // Once true, nothing more is printed and no page is started.
        std::function<bool()> cancelled;
    };

    PrintJob(std::unique_ptr<QPrinter> printer, Hooks hooks);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Starts the document and its first page with the text font scaled from
    // the screen's vertical dots per inch to the printer's. False when the
    // document cannot be started.
    [[nodiscard]] bool begin(const std::string& documentName, const FontDescription& textFont,
                             int screenDpi);

    // The next output line, expanded as a pane shows it (tabs as blanks).
    void printLine(std::string_view line, std::int32_t tabSize);
    // The next row of the directory lists: both halves side by side, a
    // half whose pair differs on light grey.
    void printListRow(const ComparisonRow& row);

    // Finishes the last page and the document.
    void end();

    const PageLayout& layout() const { return layout_; }
    // The printer font's height in printer pixels, as stored (negative).
    int fontHeight() const { return fontHeight_; }

private:
    // Moves to a new page when output line `next_` needs one; false once the
    // job is cancelled.
    [[nodiscard]] bool placeNextLine();
    void drawText(const QString& text, int x, int y);

    std::unique_ptr<QPrinter> printer_;
    Hooks hooks_;
    QPainter painter_;
    QFont font_;
    int fontHeight_ = 0;
    int ascent_ = 0;
    int columnWidth_ = 0;
    PageLayout layout_;
    std::int64_t next_ = 0; // the output line number of the next line
};

} // namespace tandel
