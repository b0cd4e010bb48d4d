// The panes driven by real events: keys, wheel and scroll bars with the
// clamps and the rows repainted, the Shift+drag selection, autoscroll, the
// split, the context menu and dropped files.
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QUrl>
#include <QWheelEvent>
#include <QtTest>

#include "ui_test_main.h"
#include "frame/command_ids.h"
#include "merge/decisions.h"
#include "pane_harness.h"
#include "view/position_bar.h"

using tandel::test::PaneHarness;

namespace {

std::string numberedLines(int count, const std::string& prefix = "line ") {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += prefix + std::to_string(i) + "\n";
    }
    return text;
}

void sendWheel(QWidget* target, int delta) {
    const QPointF at(10, 10);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

// Collects the areas a widget paints.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* watched) { watched->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

void drop(QWidget* pane, const QStringList& paths, bool expectAccepted = true) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls.push_back(QUrl::fromLocalFile(path));
    }
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane, &enter);
    QCOMPARE(enter.isAccepted(), expectAccepted);
    if (expectAccepted) {
        QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pane, &dropped);
    }
    QCoreApplication::sendPostedEvents();
}

} // namespace

class PaneInputTest : public QObject {
    Q_OBJECT
private slots:
    void scrollingClampsAtBothEnds() {
        PaneHarness p;
        p.open(numberedLines(100), numberedLines(100) + "extra\n");
        const int n = p.record().rowCount;
        QCOMPARE(n, 101);
        p.group()->scrollToLine(-5);
        QCOMPARE(p.record().topLine, 0);
        p.group()->scrollToLine(n);
        QCOMPARE(p.record().topLine, n - 1);
        QCOMPARE(p.main->container()->positionBar()->scrollBar()->value(), n);
        // The last row alone at the top of the right pane, nothing below it.
        const QImage image = PaneHarness::grab(p.pane(2));
        QVERIFY(p.ink(image, 0).any());
        QVERIFY(!p.ink(image, 1).any());
        p.key(Qt::Key_Down);
        QCOMPARE(p.record().topLine, n - 1);
    }

    void keysMoveBothPanesAndTheHorizontalKeysThePaneUnderTheMouse() {
        PaneHarness p;
        const std::string wide(300, 'w');
        p.open(wide + "\n" + numberedLines(200), wide + "\n" + numberedLines(200, "row "),
               "Sync hscroll=0\n");
        const int v = p.record().visibleRows;
        QVERIFY(v > 2);
        p.key(Qt::Key_PageDown);
        QCOMPARE(p.record().topLine, v);
        p.key(Qt::Key_Up);
        QCOMPARE(p.record().topLine, v - 1);
        p.key(Qt::Key_PageUp);
        QCOMPARE(p.record().topLine, 0);

        QCursor::setPos(p.pane(2)->mapToGlobal(p.rowPoint(1)));
        p.key(Qt::Key_Right);
        p.key(Qt::Key_Right);
        QCOMPARE(p.app().model.side(2).firstVisibleColumn, 2);
        QCOMPARE(p.pane(2)->horizontalBar()->value(), 2);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, 0);
        p.key(Qt::Key_Home);
        QCOMPARE(p.app().model.side(2).firstVisibleColumn, 0);
    }

    void theWheelTakesTheDesktopsRowsPerNotchAndSumsSmallDeltas() {
        PaneHarness p;
        p.open(numberedLines(200), numberedLines(200, "row "));
        const int n = QApplication::wheelScrollLines();
        QVERIFY(n >= 1);
        p.group()->scrollToLine(20);
        sendWheel(p.pane(1), -120); // a notch toward the user: down
        QCOMPARE(p.record().topLine, 20 + n);
        sendWheel(p.pane(2), 120);
        QCOMPARE(p.record().topLine, 20);
        for (int i = 0; i < 8; ++i) {
            sendWheel(p.pane(1), -15);
        }
        QCOMPARE(p.record().topLine, 20 + n);
        // Over the shared bar the wheel moves as much as over the panes.
        sendWheel(p.main->container()->positionBar()->scrollBar(), -240);
        QCOMPARE(p.record().topLine, 20 + 3 * n);

        // A change of the desktop's setting is followed at once.
        QApplication::setWheelScrollLines(5);
        sendWheel(p.pane(1), 120);
        QApplication::setWheelScrollLines(n);
        QCOMPARE(p.record().topLine, 15 + 3 * n);
        sendWheel(p.pane(1), 119); // less than a row at one row a notch
        QCOMPARE(p.record().topLine, 15 + 3 * n - 119 * n / 120);
    }

    void scrollBarsFollowTheScrollCodesAndSyncHScroll() {
        PaneHarness p;
        const std::string wide(300, 'w');
        p.open(wide + "\n" + numberedLines(200), wide + "\n" + numberedLines(200, "row "),
               "Sync hscroll=0\n");
        QScrollBar* vertical = p.main->container()->positionBar()->scrollBar();
        vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(p.record().topLine, p.record().visibleRows);
        vertical->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(p.record().topLine, p.record().rowCount - 1);
        QCOMPARE(vertical->value(), p.record().rowCount);

        QScrollBar* bar1 = p.pane(1)->horizontalBar();
        const QPoint rightArrow(bar1->width() - 3, bar1->height() / 2);
        QTest::mouseClick(bar1, Qt::LeftButton, {}, rightArrow);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, 1);
        QCOMPARE(p.app().model.side(2).firstVisibleColumn, 0);
        p.record().syncHScroll = 1;
        QTest::mouseClick(bar1, Qt::LeftButton, {}, rightArrow);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, 2);
        QCOMPARE(p.app().model.side(2).firstVisibleColumn, 2);
        QCOMPARE(p.pane(2)->horizontalBar()->value(), 2);
        // The bar ends where the widest line's end comes into view; line
        // steps may pass it, and the bar then stays at its end.
        const int end = 300 - static_cast<int>(p.pane(1)->visibleColumns());
        QVERIFY(end > 2);
        QCOMPARE(bar1->maximum(), end);
        bar1->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, end);
        bar1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, end + 1);
        QCOMPARE(bar1->value(), end);
    }

    void theHorizontalRangeFollowsTheWidestLineAndTheTabSize() {
        PaneHarness p;
        // 560 columns: End reaches past the 255 columns a row shows at once.
        const std::string wide = std::string(10, '\t') + std::string(470, 'i') + "WWWWW";
        p.open(wide + "\nshort\n", wide + "\nshort\n", "Tab size=8\n");
        QCursor::setPos(p.pane(1)->mapToGlobal(p.rowPoint(1)));
        const int visible = static_cast<int>(p.pane(1)->visibleColumns());
        QVERIFY(visible > 10 && visible < 255);
        p.key(Qt::Key_End);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, 80 + 475 - visible);
        QCOMPARE(p.pane(1)->horizontalBar()->value(), 80 + 475 - visible);
        // The line's last characters are drawn at the right of the pane.
        const QImage image = PaneHarness::grab(p.pane(1));
        const QColor base = p.pane(1)->palette().color(QPalette::Base);
        const tandel::test::Ink end = PaneHarness::inkIn(image, 0, p.h(), 0, base);
        QVERIFY(end.any());
        const int column = p.pane(1)->fontMetrics().horizontalAdvance(QLatin1Char('0'));
        QVERIFY2(end.right > p.pane(1)->width() - 2 * column,
                 qPrintable(QString::number(end.right)));
        QVERIFY(!p.ink(image, 1).any());

        // Another tab size measures the line again.
        p.record().tabSize = 2;
        p.group()->repaintPanes();
        QCOMPARE(p.pane(1)->horizontalBar()->maximum(), 20 + 475 - visible);
        p.key(Qt::Key_End);
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, 20 + 475 - visible);
    }

    void aScrollMovesPixelsAndPaintsOnlyTheUncoveredRows() {
        PaneHarness p;
        p.open(numberedLines(300), numberedLines(300, "row "));
        QCoreApplication::processEvents();
        PaintLog log(p.pane(1));
        p.key(Qt::Key_Down);
        QCoreApplication::processEvents();
        const QRect oneRow = log.painted.boundingRect();
        QVERIFY2(!log.painted.isEmpty() && oneRow.height() <= 2 * p.h(),
                 qPrintable(QString::number(oneRow.height())));
        QVERIFY(oneRow.top() >= p.pane(1)->textHeight() - 2 * p.h());

        log.painted = {};
        p.key(Qt::Key_PageDown);
        QCoreApplication::processEvents();
        QVERIFY(log.painted.boundingRect().height() <= p.pane(1)->textHeight());
    }

    void shiftDragSelectsAndAPlainClickClearsTheSelection() {
        PaneHarness p;
        p.open(numberedLines(8, "abcdefghijklmnop "), numberedLines(8, "abcdefghijklmnop "));
        const QFontMetrics fm = p.pane(1)->fontMetrics();
        const int middle = fm.horizontalAdvance(QStringLiteral("abcdefgh"));
        QTest::mousePress(p.pane(1), Qt::LeftButton, Qt::ShiftModifier, p.rowPoint(2, middle + 1));
        QTest::mouseMove(p.pane(1), p.rowPoint(4, middle + 1));
        QTest::mouseRelease(p.pane(1), Qt::LeftButton, Qt::ShiftModifier,
                            p.rowPoint(4, middle + 1));

        const tandel::TextSelection& selection = p.app().frameState.selection;
        QCOMPARE(selection.side, 1);
        QVERIFY(!selection.selecting);
        QCOMPARE(selection.anchor.row, 2);
        QCOMPARE(selection.end.row, 4);
        QCOMPARE(selection.anchor.column, 8);
        QCOMPARE(selection.end.column, 8);
        QCOMPARE(selection.end.x, middle);

        const QColor base = p.pane(1)->palette().color(QPalette::Base);
        const QColor inverted(255 - base.red(), 255 - base.green(), 255 - base.blue());
        const int right = p.pane(1)->width() - 3;
        const auto colourAt = [&](int x, int row) {
            return PaneHarness::at(PaneHarness::grab(p.pane(1)), x, row * p.h() + 1);
        };
        QCOMPARE(colourAt(middle - 2, 2), base);
        QCOMPARE(colourAt(right, 2), inverted);
        QCOMPARE(colourAt(1, 3), inverted);
        QCOMPARE(colourAt(right, 3), inverted);
        QCOMPARE(colourAt(middle - 2, 4), inverted);
        QCOMPARE(colourAt(right, 4), base);
        QCOMPARE(colourAt(right, 3), inverted);
        QCOMPARE(PaneHarness::at(PaneHarness::grab(p.pane(2)), right, 3 * p.h() + 1), base);

        p.click(2, 6);
        QVERIFY(!selection.active());
        QCOMPARE(colourAt(right, 3), base);
    }

    void draggingNearAnEdgeScrolls() {
        PaneHarness p;
        p.open(numberedLines(200), numberedLines(200, "row "));
        p.group()->scrollToLine(50);
        QTest::mousePress(p.pane(1), Qt::LeftButton, {}, p.rowPoint(3));
        QTest::mouseMove(p.pane(1), QPoint(40, 2));
        QCOMPARE(p.record().topLine, 49);
        QTest::mouseMove(p.pane(1), QPoint(p.pane(1)->width() - 2, 100));
        QCOMPARE(p.app().model.side(1).firstVisibleColumn, 1);
        QTest::mouseRelease(p.pane(1), Qt::LeftButton, {}, QPoint(40, 100));
    }

    void anArmedSplitShowsItsCursorAndSplitsAtTheReleaseRow() {
        PaneHarness p;
        p.open("a\n1\n2\n3\nb\n", "a\nx\nb\n");
        p.main->runCommand(tandel::cmd::kSplitSegment);
        QCOMPARE(p.pane(1)->cursor().shape(), Qt::BitmapCursor);
        p.click(1, 2);
        const tandel::MergeModel& model = p.app().model;
        QCOMPARE(model.side(1).segmentCount(), 2);
        QCOMPARE(tandel::JudgingMark(model, 0, 1), tandel::CHOICE_NONE); // the press chose nothing
        QVERIFY(!p.app().frameState.splitArmed);
        QCOMPARE(p.pane(1)->cursor().shape(), Qt::ArrowCursor);
        // Disarmed: the next click chooses again.
        p.click(1, 2);
        QCOMPARE(tandel::JudgingMark(model, 1, 1), tandel::CHOICE_FIRST);
    }

    void aRightClickOpensTheContextMenu() {
        PaneHarness p;
        p.open("a\n", "b\n");
        QTest::mouseClick(p.pane(2), Qt::RightButton, {}, p.rowPoint(0));
        QMenu* menu = p.main->quickMenu();
        QVERIFY(menu->isVisible());
        menu->close();
    }

    void droppedFilesLoadOneAtATime() {
        PaneHarness p;
        p.open("a\nb\n", "a\nb\n");
        const QString other = QString::fromStdString(p.window.folder.write("other.txt", "a\nc\n"));
        drop(p.pane(2), {other});
        QCOMPARE(p.app().model.side(2).fileName, other.toStdString());
        QVERIFY(!p.app().model.side(2).hasLists()); // the left side is not new yet

        drop(p.pane(1), {other, other});
        QCOMPARE(p.window.dialogs.texts().back(), QStringLiteral("Only one file can be dropped"));
        QCOMPARE(p.window.dialogs.shown.back().title, QStringLiteral("Warning"));
        QCOMPARE(p.app().model.side(1).fileName, p.window.folder.file("left.txt"));

        p.record().directoryWalk = 1; // a walk is running: the panes take no drop
        const QString third = QString::fromStdString(p.window.folder.write("third.txt", "b\n"));
        drop(p.pane(1), {third}, false);
        QCOMPARE(p.app().model.side(1).fileName, p.window.folder.file("left.txt"));
        p.record().directoryWalk = 0;

        drop(p.pane(1), {third}); // both sides new: compared
        QCOMPARE(p.app().model.side(1).fileName, third.toStdString());
        QVERIFY(p.app().model.side(1).hasLists());
    }
};

TANDEL_UI_TEST(PaneInputTest)
#include "pane_input_test.moc"
