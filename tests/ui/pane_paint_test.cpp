// What the panes, titles and position bar draw, read off grabbed images: the
// choice colours and readable text on them, line numbers and tabs, the
// 255-column window, bytes that are not text, and empty panes.
#include <QApplication>
#include <QPalette>
#include <QtTest>

#include "ui_test_main.h"
#include "frame/command_ids.h"
#include "pane_harness.h"
#include "view/diff_title.h"
#include "view/position_bar.h"
#include "view/row_layout.h"

using namespace std::string_literals;
using tandel::test::Ink;
using tandel::test::PaneHarness;

namespace {

const QColor kCyan(0, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kDarkCyan(0, 170, 170);
const QColor kDarkBlue(0, 0, 150);
const QColor kDarkGreen(0, 170, 0);

// a b c d e against a B c x d: a change on row 1, a line only on the right
// on row 3 (a filler row on the left), a line only on the left on row 5.
const char* const kLeft = "a\nb\nc\nd\ne\n";
const char* const kRight = "a\nB\nc\nx\nd\n";

std::vector<QColor> rowColours(PaneHarness& p, int side, int rows) {
    const QImage image = PaneHarness::grab(p.pane(side));
    std::vector<QColor> colours;
    for (int row = 0; row < rows; ++row) {
        colours.push_back(p.rowColour(image, row));
    }
    return colours;
}

// Whether a pixel of this colour (give or take anti-aliasing) is in the row.
bool rowHas(PaneHarness& p, const QImage& image, int row, const QColor& colour) {
    for (int y = row * p.h(); y < (row + 1) * p.h(); ++y) {
        for (int x = 0; x < PaneHarness::logicalWidth(image); ++x) {
            if (PaneHarness::distance(PaneHarness::at(image, x, y), colour) < 60) {
                return true;
            }
        }
    }
    return false;
}

// The colour at the bottom of row `row`, under the middle of characters
// [from, to) of its text `text` (drawn in the pane's font, no line numbers).
QColor under(PaneHarness& p, const QImage& image, int row, const QString& text, int from, int to) {
    const QFontMetrics fm = p.pane(1)->fontMetrics();
    const int x = (fm.horizontalAdvance(text.left(from)) + fm.horizontalAdvance(text.left(to))) / 2;
    return PaneHarness::at(image, x, (row + 1) * p.h() - 1);
}

} // namespace

class PanePaintTest : public QObject {
    Q_OBJECT
private slots:
    void choiceColoursFollowClicksCtrlClicksAndSelectAll() {
        PaneHarness p;
        p.open(kLeft, kRight);
        const QColor base = p.pane(1)->palette().color(QPalette::Base);
        using C = std::vector<QColor>;
        QCOMPARE(rowColours(p, 1, 6), (C{base, kGreen, base, kYellow, base, kGreen}));
        QCOMPARE(rowColours(p, 2, 6), (C{base, kGreen, base, kGreen, base, kYellow}));

        p.click(1, 1);
        QCOMPARE(rowColours(p, 1, 2)[1], kCyan);
        QCOMPARE(rowColours(p, 2, 2)[1], kGreen);
        p.click(2, 1, Qt::ControlModifier);
        QCOMPARE(rowColours(p, 1, 2)[1], kCyan);
        QCOMPARE(rowColours(p, 2, 2)[1], kBlue);
        // Text stays readable: white on blue, black on cyan.
        QVERIFY(rowHas(p, PaneHarness::grab(p.pane(2)), 1, Qt::white));
        QVERIFY(rowHas(p, PaneHarness::grab(p.pane(1)), 1, Qt::black));

        p.key(Qt::Key_A, Qt::ControlModifier); // Select All Segments
        QCOMPARE(rowColours(p, 1, 6), (C{base, kCyan, base, kCyan, base, kCyan}));
        QCOMPARE(rowColours(p, 2, 6), (C{base, kCyan, base, kCyan, base, kCyan}));
    }

    void aDarkPaletteKeepsEveryRowReadable() {
        const QPalette saved = QApplication::palette();
        QPalette dark = saved;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        PaneHarness p;
        p.open(kLeft, kRight);
        const QImage left = PaneHarness::grab(p.pane(1));
        QCOMPARE(p.rowColour(left, 0), QColor(30, 30, 30));
        QVERIFY(rowHas(p, left, 0, QColor(230, 230, 230)));
        QCOMPARE(p.rowColour(left, 1), kGreen);
        QVERIFY(rowHas(p, left, 1, Qt::black));
        QCOMPARE(under(p, left, 1, QStringLiteral("b"), 0, 1), kDarkGreen);
        QApplication::setPalette(saved);
    }

    void changedCharactersShowInADarkerShadeOfEachColour() {
        PaneHarness p;
        // Row 1 pairs two lines differing in "old" and "new"; row 2 faces a
        // filler row.
        p.open("same\nkeep old end\nonly left\n", "same\nkeep new end\n");
        const QString row1 = QStringLiteral("keep old end");
        const auto check = [&](int side, const QColor& fill, const QColor& shade,
                               const QColor& text) {
            const QImage image = PaneHarness::grab(p.pane(side));
            QCOMPARE(under(p, image, 1, row1, 5, 8), shade);
            QCOMPARE(under(p, image, 1, row1, 0, 4), fill);
            QCOMPARE(under(p, image, 1, row1, 9, 12), fill);
            const QFontMetrics fm = p.pane(side)->fontMetrics();
            const Ink onShade =
                PaneHarness::inkIn(image, p.h(), 2 * p.h(), fm.horizontalAdvance(row1.left(5)),
                                   shade, fm.horizontalAdvance(row1.left(8)));
            QVERIFY(onShade.any());
            QVERIFY(rowHas(p, image, 1, text));
        };
        check(1, kGreen, kDarkGreen, Qt::black);
        check(2, kGreen, kDarkGreen, Qt::black);
        // A line facing a filler row has nothing to compare with.
        QCOMPARE(under(p, PaneHarness::grab(p.pane(1)), 2, QStringLiteral("only left"), 0, 4),
                 kGreen);
        QCOMPARE(under(p, PaneHarness::grab(p.pane(2)), 2, QStringLiteral("only left"), 0, 4),
                 kYellow);

        p.click(1, 1);
        check(1, kCyan, kDarkCyan, Qt::black);
        p.click(2, 1, Qt::ControlModifier);
        check(2, kBlue, kDarkBlue, Qt::white);

        p.record().highlightChanges = 0;
        QCOMPARE(under(p, PaneHarness::grab(p.pane(1)), 1, row1, 5, 8), kCyan);
    }

    void lineNumbersTabsAndAmpersands() {
        PaneHarness p;
        p.open("\tX\nA&B\n", "\tX\nnew\nA&B\n", "Line numbers=1\nTab size=4\n");
        const QImage left = PaneHarness::grab(p.pane(1));
        const QFontMetrics fm = p.pane(1)->fontMetrics();
        const int box = 8 * p.record().charWidth;
        // Row 0: the number 1 at the left of its box, then the tab's four blanks.
        const Ink number = p.ink(left, 0, 0, box);
        QVERIFY(number.any() && number.right < fm.horizontalAdvance(QLatin1Char('1')) + 1);
        const Ink text = p.ink(left, 0, box);
        const int blanks = fm.horizontalAdvance(QStringLiteral("    "));
        QVERIFY2(text.left >= box + blanks - 1 && text.left < box + blanks + fm.averageCharWidth(),
                 qPrintable(QString::number(text.left)));
        // Row 1 is the filler row facing "new": no number, no text.
        QCOMPARE(p.rowColour(left, 1), kYellow);
        QVERIFY(!p.ink(left, 1).any());
        // "&" shows once: the row is no wider than "A&B" drawn.
        const Ink amp = p.ink(left, 2, box);
        QVERIFY(amp.any());
        QVERIFY(amp.right - amp.left < fm.horizontalAdvance(QStringLiteral("A&B")) + 1);
        QCOMPARE(p.ink(left, 2, 0, box).any(), true); // line 2's number
    }

    void aLongLineShowsAtMost255ColumnsAndAnOffsetPastItsEndShowsNothing() {
        PaneHarness p;
        const std::string longLine = std::string(255, 'i') + std::string(45, 'W');
        p.open(longLine + "\nshort\n", longLine + "\nshort\n", "Sync hscroll=0\n",
               QSize(4400, 300));
        const QFontMetrics fm = p.pane(1)->fontMetrics();
        const int shown = fm.horizontalAdvance(QString(255, QLatin1Char('i')));
        QVERIFY(p.pane(1)->width() > shown + fm.horizontalAdvance(QStringLiteral("WWWW")));
        const Ink row = p.ink(PaneHarness::grab(p.pane(1)), 0);
        QVERIFY2(row.right < shown + 2, qPrintable(QString::number(row.right)));

        // End scrolls the pane under the mouse until the line's end shows in
        // the 255 columns a row shows: 45 columns in.
        QCursor::setPos(p.pane(1)->mapToGlobal(p.rowPoint(1)));
        p.key(Qt::Key_End);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, 45);
        QCOMPARE(p.app().model.side(2).firstVisibleColumn, 0);
        const QImage scrolled = PaneHarness::grab(p.pane(1));
        const Ink end = p.ink(scrolled, 0);
        QVERIFY(end.right > fm.horizontalAdvance(QString(210, QLatin1Char('i')) +
                                                 QString(44, QLatin1Char('W'))));
        QVERIFY(!p.ink(scrolled, 1).any());
    }

    void bytesThatAreNotTextStillShowOnEveryLine() {
        PaneHarness p;
        // A NUL this far into a file does not make it binary.
        const std::string lines =
            std::string(tandel::kBinaryProbeBytes, 'x') + "\ncaf\xe9\na\0b\n\xff\xfe\nab\nx\x01y\n"s;
        p.open(lines, lines + "more\n");
        const QImage image = PaneHarness::grab(p.pane(1));
        for (int row = 0; row < 6; ++row) {
            QVERIFY2(p.ink(image, row).any(), qPrintable(QString::number(row)));
        }
        // The NUL between a and b takes a visible place of its own.
        const Ink withNul = p.ink(image, 2);
        const Ink without = p.ink(image, 4);
        QVERIFY(withNul.right - withNul.left > without.right - without.left + 2);
    }

    void rowsThatNeedShapingAreLaidOutLeftToRightToo() {
        PaneHarness p;
        p.open("x\n", "y\n");
        tandel::ui::RowLayout layout(p.pane(1)->font());
        const std::u32string rows[] = {U"plain text", U"e\u0301te", U"\u05E9\u05DC\u05D5\u05DD ab",
                                       U"\U0001F600!"};
        for (const std::u32string& row : rows) {
            layout.setText(row);
            QCOMPARE(layout.direct(), &row == &rows[0]);
            // Character n starts right of character n - 1, whatever its script.
            for (std::size_t n = 1; n <= row.size(); ++n) {
                QVERIFY(layout.width(n) >= layout.width(n - 1));
            }
            QVERIFY(layout.width(row.size()) > layout.width(1));
        }
    }

    void anEmptyWindowShowsAHintAndNothingElse() {
        PaneHarness p;
        p.open("", ""); // no files at all
        const QColor base = p.pane(1)->palette().color(QPalette::Base);
        const int text = p.pane(1)->textHeight(); // above the scroll bar
        QVERIFY(PaneHarness::inkIn(PaneHarness::grab(p.pane(1)), 0, text, 0, base).any());
        QVERIFY(!PaneHarness::inkIn(PaneHarness::grab(p.pane(2)), 0, text, 0, base).any());
        // Two empty files: nothing to hint at, nothing drawn.
        p.open("", "", "", QSize(800, 500));
        p.app().model.side(1).fileName = "loaded";
        p.pane(1)->update();
        QVERIFY(!PaneHarness::inkIn(PaneHarness::grab(p.pane(1)), 0, text, 0, base).any());
    }

    void titlesCentreThePathAndTheBarTicksEverySegment() {
        PaneHarness p;
        p.open(kLeft, kRight);
        tandel::DiffTitle* title = p.main->container()->title(2);
        QCOMPARE(title->shownPath(), QString::fromStdString(p.window.folder.file("right.txt")));
        const QImage titleImage = PaneHarness::grab(title);
        const Ink path = PaneHarness::inkIn(titleImage, 0, title->height(), 0,
                                            PaneHarness::at(titleImage, 0, 0));
        QVERIFY(path.any());
        QVERIFY(std::abs((path.left + path.right) / 2 - title->width() / 2) <= 3);

        // One tick in each margin beside the bar for each of the three segments,
        // top to bottom in their order.
        tandel::position_bar* bar = p.main->container()->positionBar();
        const QImage barImage = PaneHarness::grab(bar);
        const QColor background = bar->palette().color(QPalette::Base);
        std::vector<int> ticks;
        for (int y = 0; y < bar->height(); ++y) {
            if (PaneHarness::at(barImage, 1, y) != background) {
                ticks.push_back(y);
            }
        }
        QCOMPARE(ticks.size(), std::size_t{3});
        QVERIFY(ticks[0] < ticks[1] && ticks[1] < ticks[2]);
        QVERIFY(ticks[2] < bar->height() - 10);
    }
};

TANDEL_UI_TEST(PanePaintTest)
#include "pane_paint_test.moc"
