// The panes driven by real events, and what they draw, read off grabbed images.
#include <QClipboard>
#include <QMenu>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include "pane_harness.h"
#include "ui_test_main.h"
#include "view/diff_title.h"
#include "view/position_bar.h"

using namespace std::string_literals;
using namespace tandel;
using test::Ink;
using test::numberedLines;
using test::PaneHarness;

namespace {

const QColor kCyan(0, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 255, 0);
const QColor kYellow(255, 255, 0);

// A change on row 1, a line only on the right on row 3, only on the left on row 5.
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

// The colour at the bottom of a row, under the middle of characters [from, to) of `text`.
QColor under(PaneHarness& p, const QImage& image, int row, const QString& text, int from, int to) {
    const QFontMetrics fm = p.pane(1)->fontMetrics();
    const int x = (fm.horizontalAdvance(text.left(from)) + fm.horizontalAdvance(text.left(to))) / 2;
    return PaneHarness::at(image, x, (row + 1) * p.h() - 1);
}

void sendWheel(QWidget* target, int delta) {
    const QPointF at(10, 10);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* watched) { watched->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

} // namespace

class PanesTest : public QObject {
    Q_OBJECT
private slots:
    void keysWheelAndBarScrollBothPanesRepaintingOnlyTheRowsUncovered() {
        PaneHarness p;
        const std::string wide(300, 'w');
        p.open(wide + "\n" + numberedLines(200), wide + "\n" + numberedLines(200, "row "),
               "Sync hscroll=0\n");
        QCoreApplication::processEvents();
        PaintLog log(p.pane(1));
        p.key(Qt::Key_Down);
        QCoreApplication::processEvents();
        const QRect oneRow = log.painted.boundingRect();
        QVERIFY2(!log.painted.isEmpty() && oneRow.height() <= 2 * p.h(),
                 qPrintable(QString::number(oneRow.height())));
        QVERIFY(oneRow.top() >= p.pane(1)->textHeight() - 2 * p.h());
        const int v = p.record().visibleRows;
        QVERIFY(v > 2);
        p.key(Qt::Key_PageDown);
        QCOMPARE(p.record().topLine, v + 1);

        // The horizontal keys move the pane under the mouse.
        QCursor::setPos(p.pane(2)->mapToGlobal(p.rowPoint(1)));
        p.key(Qt::Key_Right);
        p.key(Qt::Key_Right);
        QCOMPARE(p.app().model.side(2).firstVisibleColumn, 2);
        QCOMPARE(p.pane(2)->horizontalBar()->value(), 2);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, 0);
        p.key(Qt::Key_Home);
        QCOMPARE(p.app().model.side(2).firstVisibleColumn, 0);

        // The wheel over the bar moves the desktop's rows per notch, as over the panes.
        const int n = QApplication::wheelScrollLines();
        p.group()->scrollToLine(20);
        QScrollBar* bar = p.main->container()->positionBar()->scrollBar();
        sendWheel(bar, -240);
        QCOMPARE(p.record().topLine, 20 + 2 * n);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(p.record().topLine, 20 + 2 * n + v);
    }

    void shiftDragSelectsAndCopiesAndAPlainClickClearsTheSelection() {
        PaneHarness p;
        p.open(numberedLines(8, "abcdefghijklmnop "), numberedLines(8, "abcdefghijklmnop "));
        const int middle = p.pane(1)->fontMetrics().horizontalAdvance(QStringLiteral("abcdefgh"));
        QTest::mousePress(p.pane(1), Qt::LeftButton, Qt::ShiftModifier, p.rowPoint(2, middle + 1));
        QTest::mouseMove(p.pane(1), p.rowPoint(4, middle + 1));
        QTest::mouseRelease(p.pane(1), Qt::LeftButton, Qt::ShiftModifier,
                            p.rowPoint(4, middle + 1));

        // Inverted from the anchor to the end, in the selecting pane only.
        const QColor base = p.pane(1)->palette().color(QPalette::Base);
        const QColor inverted(255 - base.red(), 255 - base.green(), 255 - base.blue());
        const int right = p.pane(1)->width() - 3;
        const auto colourAt = [&](int side, int x, int row) {
            return PaneHarness::at(PaneHarness::grab(p.pane(side)), x, row * p.h() + 1);
        };
        const std::tuple<int, int, QColor> points[] = {
            {middle - 2, 2, base}, {right, 2, inverted},      {1, 3, inverted},
            {right, 3, inverted},  {middle - 2, 4, inverted}, {right, 4, base}};
        for (const auto& [x, row, colour] : points) {
            QCOMPARE(colourAt(1, x, row), colour);
        }
        QCOMPARE(colourAt(2, right, 3), base);

        // The release sets the primary selection; Ctrl+C the clipboard.
        const QString text = QStringLiteral("ijklmnop 3\nabcdefghijklmnop 4\nabcdefgh");
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (clipboard->supportsSelection()) {
            QCOMPARE(clipboard->text(QClipboard::Selection), text);
        }
        clipboard->setText(QStringLiteral("before"));
        p.key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), text);
        p.click(2, 6);
        QVERIFY(!p.app().frameState.selection.active());
        QCOMPARE(colourAt(1, right, 3), base);
    }

    void choiceColoursFollowClicksAndTheTitleCentresThePath() {
        PaneHarness p;
        p.open(kLeft, kRight);
        const QColor base = p.pane(1)->palette().color(QPalette::Base);
        using C = std::vector<QColor>;
        QCOMPARE(rowColours(p, 1, 6), (C{base, kGreen, base, kYellow, base, kGreen}));
        QCOMPARE(rowColours(p, 2, 6), (C{base, kGreen, base, kGreen, base, kYellow}));

        DiffTitle* title = p.main->container()->title(2);
        QCOMPARE(title->shownPath(), QString::fromStdString(p.window.folder.file("right.txt")));
        const QImage titleImage = PaneHarness::grab(title);
        const Ink path = PaneHarness::inkIn(titleImage, 0, title->height(), 0,
                                            PaneHarness::at(titleImage, 0, 0));
        QVERIFY(path.any());
        QVERIFY(std::abs((path.left + path.right) / 2 - title->width() / 2) <= 3);

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
        QCOMPARE(rowColours(p, 2, 6), (C{base, kCyan, base, kCyan, base, kCyan}));
        QTest::mouseClick(p.pane(2), Qt::RightButton, {}, p.rowPoint(0));
        QVERIFY(p.main->quickMenu()->isVisible());
        p.main->quickMenu()->close();
    }

    void changedCharactersShowInADarkerShadeOfEachColourWhateverThePalette() {
        const QPalette saved = QApplication::palette();
        QPalette dark = saved;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        PaneHarness p;
        p.open("same\nkeep old end\nonly left\n", "same\nkeep new end\n");
        const QImage dim = PaneHarness::grab(p.pane(1));
        QCOMPARE(p.rowColour(dim, 0), QColor(30, 30, 30));
        QVERIFY(rowHas(p, dim, 0, QColor(230, 230, 230)));
        const QString row1 = QStringLiteral("keep old end");
        const auto check = [&](int side, const QColor& fill, const QColor& shade,
                               const QColor& text) {
            const QImage image = PaneHarness::grab(p.pane(side));
            QCOMPARE(under(p, image, 1, row1, 5, 8), shade);
            QCOMPARE(under(p, image, 1, row1, 0, 4), fill);
            QCOMPARE(under(p, image, 1, row1, 9, 12), fill);
            const QFontMetrics fm = p.pane(side)->fontMetrics();
            QVERIFY(PaneHarness::inkIn(image, p.h(), 2 * p.h(), fm.horizontalAdvance(row1.left(5)),
                                       shade, fm.horizontalAdvance(row1.left(8)))
                        .any());
            QVERIFY(rowHas(p, image, 1, text));
        };
        check(1, kGreen, QColor(0, 170, 0), Qt::black);
        QApplication::setPalette(saved);
        check(2, kGreen, QColor(0, 170, 0), Qt::black);
        // A line facing a filler row has nothing to compare with.
        QCOMPARE(under(p, PaneHarness::grab(p.pane(1)), 2, QStringLiteral("only"), 0, 4), kGreen);
        QCOMPARE(under(p, PaneHarness::grab(p.pane(2)), 2, QStringLiteral("only"), 0, 4), kYellow);
        p.click(1, 1);
        check(1, kCyan, QColor(0, 170, 170), Qt::black);
        p.click(2, 1, Qt::ControlModifier);
        check(2, kBlue, QColor(0, 0, 150), Qt::white);
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
        QVERIFY(p.ink(left, 2, 0, box).any()); // line 2's number
    }

    void bytesThatAreNotTextStillShowAndAnEmptyWindowOnlyAHint() {
        PaneHarness p;
        // A NUL this far into a file does not make it binary.
        const std::string lines =
            std::string(kBinaryProbeBytes, 'x') + "\ncaf\xe9\na\0b\n\xff\xfe\nab\nx\x01y\n"s;
        p.open(lines, lines + "more\n");
        const QImage image = PaneHarness::grab(p.pane(1));
        for (int row = 0; row < 6; ++row) {
            QVERIFY2(p.ink(image, row).any(), qPrintable(QString::number(row)));
        }
        // The NUL between a and b takes a visible place of its own.
        const Ink withNul = p.ink(image, 2);
        const Ink without = p.ink(image, 4);
        QVERIFY(withNul.right - withNul.left > without.right - without.left + 2);

        p.open("", ""); // no files at all: a hint and nothing else
        const QColor base = p.pane(1)->palette().color(QPalette::Base);
        const int text = p.pane(1)->textHeight(); // above the scroll bar
        QVERIFY(PaneHarness::inkIn(PaneHarness::grab(p.pane(1)), 0, text, 0, base).any());
        QVERIFY(!PaneHarness::inkIn(PaneHarness::grab(p.pane(2)), 0, text, 0, base).any());
        // Two empty files: nothing to hint at, nothing drawn.
        p.app().model.side(1).fileName = "loaded";
        p.pane(1)->update();
        QVERIFY(!PaneHarness::inkIn(PaneHarness::grab(p.pane(1)), 0, text, 0, base).any());
    }
};

TANDEL_UI_TEST(PanesTest)
#include "panes_test.moc"
