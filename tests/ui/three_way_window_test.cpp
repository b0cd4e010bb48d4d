// The window on a merge with a common ancestor: the segments the merge took
// on its own carry a mark the user's choices do not, the status bar counts
// the conflicts left, Save writes the merged result and the base pane
// follows the panes.
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QtTest>

#include "pane_harness.h"
#include "ui_test_main.h"
#include "view/base_pane.h"

using namespace tandel;
using namespace tandel::test;

namespace {

const QColor kBadgeInk(0x50, 0x50, 0x50);

} // namespace

class ThreeWayWindowTest : public QObject {
    Q_OBJECT

    PaneHarness p;

    // The pixel at the top left of the badge box of `row`, just inside it.
    QColor badgeCorner(int side, int row) {
        const QImage image = PaneHarness::grab(p.pane(side));
        return PaneHarness::at(image, PaneHarness::logicalWidth(image) - 4 - p.h() + 1,
                               row * p.h() + 2);
    }
    // The pixel in the middle of the line under the badge, on `row`.
    QColor stripeMiddle(int side, int row) {
        const QImage image = PaneHarness::grab(p.pane(side));
        return PaneHarness::at(image, PaneHarness::logicalWidth(image) - 4 - p.h() / 2 - 1,
                               row * p.h() + p.h() / 2);
    }

private slots:
    void mergeMarksItsOwnChoicesCountsConflictsAndSavesTheResult() {
        // LOCAL changes 2; REMOTE changes 4 and 5 into one line; both add a
        // different last line.
        WindowHarness& h = p.window;
        h.folder.write("tandel.ini", "[Options]\nAuto walk=0\n");
        const std::string out = h.folder.file("merged.txt");
        p.start({"-base", h.folder.write("base.txt", "1\n2\n3\n4\n5\n6\n7\n8\n"), "-f1",
                 h.folder.write("local.txt", "1\nL2\n3\n4\n5\n6\n7\n8\nL9\n"), "-f2",
                 h.folder.write("remote.txt", "1\n2\n3\nR5\n6\n7\n8\nR9\n"), "-outf", out});
        auto* status = p.main->statusBar()->findChild<QLabel*>(QStringLiteral("differenceStatus"));
        QVERIFY(status->text().endsWith(QStringLiteral("\u00b7 1 conflict left")));

        // Both sides show the marks of segments 0 (row 1) and 1 (rows 3-4),
        // not on the conflict (row 8).
        for (int side = 1; side <= 2; ++side) {
            QCOMPARE(badgeCorner(side, 1), kBadgeInk);
            QCOMPARE(badgeCorner(side, 3), kBadgeInk);
            QCOMPARE(stripeMiddle(side, 4), kBadgeInk);
            QVERIFY(badgeCorner(side, 8) != kBadgeInk);
        }

        // The conflict by a click, then by the keyboard; the user's own
        // choice of an automatic segment loses its mark.
        p.click(2, 8);
        QCOMPARE(status->text(), QStringLiteral("Difference 3 of 3 \u00b7 No conflicts left"));
        p.key(Qt::Key_Left, Qt::AltModifier);
        QVERIFY(badgeCorner(1, 8) != kBadgeInk);
        p.click(1, 1);
        QVERIFY(badgeCorner(1, 1) != kBadgeInk);
        QCOMPARE(badgeCorner(1, 3), kBadgeInk);

        p.key(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(testing::readFile(out), std::string("1\nL2\n3\nR5\n6\n7\n8\nL9\n"));
    }

    void theBasePaneFollowsThePanesFromTheMenuAndStaysOn() {
        // LOCAL adds ten lines after line 5; line 40 is a conflict.
        std::string base;
        std::string local;
        std::string remote;
        for (int i = 1; i <= 60; ++i) {
            const std::string n = std::to_string(i);
            base += n + "\n";
            local += (i == 40 ? "L" + n : n) + "\n";
            remote += (i == 40 ? "R" + n : n) + "\n";
            for (int added = 0; i == 5 && added < 10; ++added) {
                local += "new\n";
            }
        }
        WindowHarness& h = p.window;
        h.folder.write("tandel.ini", "[Options]\nAuto walk=0\n");
        const std::vector<std::string> arguments{"-base", h.folder.write("base.txt", base),
                                                 "-f1",   h.folder.write("local.txt", local),
                                                 "-f2",   h.folder.write("remote.txt", remote)};
        p.start(arguments);
        BasePane* pane = p.main->container()->basePane();
        QVERIFY(pane->isHidden());
        const int fullHeight = p.pane(1)->height();

        // Options, Base Pane: the panes make room for it.
        QTest::keyClick(p.main.get(), Qt::Key_O, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_B);
        QVERIFY(pane->isVisible());
        QVERIFY(p.pane(1)->height() < fullHeight);
        QVERIFY(p.pane(1)->geometry().bottom() < pane->geometry().top());

        // Scrolled down a page, then by lines, the top row's BASE line is ten
        // lines up; the conflict's BASE line is filled, the lines around not.
        QCOMPARE(pane->topLine(), 0);
        p.key(Qt::Key_PageDown);
        QVERIFY(p.record().topLine > 0);
        while (p.record().topLine < 45) {
            p.key(Qt::Key_Down);
        }
        const int top = p.record().topLine;
        QCOMPARE(pane->topLine(), top - 10);
        const QImage image = PaneHarness::grab(pane);
        const auto fill = [&](int line) {
            return PaneHarness::at(image, PaneHarness::logicalWidth(image) - 3,
                                   pane->rowsTop() + (line - (top - 10)) * p.h() + p.h() / 2);
        };
        QCOMPARE(fill(39), QColor(0, 255, 0));
        QCOMPARE(fill(37), pane->palette().color(QPalette::Base));
        p.main->close();
        QVERIFY(h.iniHas("Base pane=1\n"));

        // The next window opens with it; without an ancestor it stays hidden.
        p.main = h.open(arguments);
        QCoreApplication::sendPostedEvents();
        QVERIFY(p.main->container()->basePane()->isVisible());
        p.main = h.open({h.folder.file("local.txt"), h.folder.file("remote.txt")});
        QCoreApplication::sendPostedEvents();
        QVERIFY(p.main->container()->basePane()->isHidden());
    }
};

TANDEL_UI_TEST(ThreeWayWindowTest)
#include "three_way_window_test.moc"
