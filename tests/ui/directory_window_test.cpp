// The directory window's two lists over real folders: colours, scrolling,
// selection, activation, sorting, Next and the widths written back.
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

#include <cerrno>
#include <filesystem>
#include <unistd.h>

#include "control/command_router.h"
#include "merge/command_ids.h"
#include "support/failing_file_system.h"
#include "ui/directory_fixture.h"
#include "view/directory_list_model.h"
#include "view/directory_list_view.h"
#include "view/directory_window.h"

using namespace tandel;

namespace {

// Rows in name order: a equal, b differing, c left only, d right only.
struct SmallTrees : test::DirectoryFixture {
    SmallTrees() {
        pair("a.txt", true, 1000);
        pair("b.txt", false, 3000);
        leftOnly("c.txt", 2000);
        rightOnly("d.txt", 4000);
        [[maybe_unused]] const int built = build();
    }
};

// Sixty equal pairs after one differing pair, so that the lists scroll.
struct LongTrees : test::DirectoryFixture {
    LongTrees() {
        pair("a000.txt", false, 500);
        for (int i = 1; i <= 60; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "f%03d.txt", i);
            pair(name, true, 1000 + i);
        }
        [[maybe_unused]] const int built = build();
    }
};

struct Shown {
    explicit Shown(test::DirectoryFixture& f) : window(f.dirs, f.app.settings, nullptr) {
        window.resize(800, 300);
        window.fill();
        window.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window);
    }
    DirectoryWindow window;

    DirectoryListView* list(int side) const { return window.list(side); }
    QPoint rowPoint(int side, int row) const {
        const DirectoryListView* l = list(side);
        const int column = DirectoryListModel::columnOf(l->half(), 0);
        return l->visualRect(l->model()->index(row, column)).center();
    }
    void click(int side, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list(side)->viewport(), button, {}, rowPoint(side, row));
    }
    // The press that a double click follows, then the double click.
    void doubleClick(int side, int row) {
        click(side, row);
        QTest::mouseDClick(list(side)->viewport(), Qt::LeftButton, {}, rowPoint(side, row));
    }
    void clickHeader(int side, int column) {
        QHeaderView* header = list(side)->header();
        const int section = DirectoryListModel::columnOf(list(side)->half(), column);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 10,
                                 header->height() / 2));
    }
    // The colour near the right edge of a list, on a row.
    QColor edgeColour(int side, int row) const {
        const DirectoryListView* l = list(side);
        const QImage image = l->viewport()->grab().toImage();
        const int column = DirectoryListModel::columnOf(l->half(), 0);
        const QRect rect = l->visualRect(l->model()->index(row, column));
        return image.pixelColor(l->viewport()->width() - 2, rect.top() + 1);
    }
    QString text(int side, int row) const {
        const DirectoryListView* l = list(side);
        return l->model()
            ->index(row, DirectoryListModel::columnOf(l->half(), 0))
            .data()
            .toString();
    }
};

} // namespace

class DirectoryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void rowsAreColouredAcrossTheWholeWidthByTheirHalf() {
        SmallTrees f;
        Shown s(f);
        const QColor green(0, 255, 0), yellow(255, 255, 0);
        QCOMPARE(s.window.model()->rowCount(), 4);
        QCOMPARE(s.edgeColour(1, 1), green);
        QCOMPARE(s.edgeColour(2, 1), green);
        QCOMPARE(s.edgeColour(1, 2), green);
        QCOMPARE(s.edgeColour(2, 2), yellow);
        QCOMPARE(s.edgeColour(1, 3), yellow);
        QVERIFY(s.edgeColour(1, 0) != green && s.edgeColour(1, 0) != yellow);
        QCOMPARE(s.text(1, 2), QString::fromStdString(f.dir1 + "/c.txt"));
        QCOMPARE(s.text(2, 2), QString());
        for (int side = 1; side <= 2; ++side) {
            QVERIFY(s.list(side)->verticalScrollBar()->isVisible());
            QVERIFY(s.list(side)->horizontalScrollBar()->isVisible());
        }
    }

    // The fake file layer refuses the listing, as the system does to anyone
    // but root.
    void anUnreadableFolderIsOneMarkedRowThatSaysWhyAndALinkShowsItsTarget() {
        testing::FailingFileSystem files;
        test::DirectoryFixture f;
        f.app.model.files = &files;
        f.tree.write("left side/locked/a.txt", "a\n");
        f.tree.write("right side/locked/a.txt", "a\n");
        f.tree.write("right side/locked/only-right.txt", "r\n");
        QCOMPARE(::symlink("locked/a.txt", (f.dir1 + "/link").c_str()), 0);
        files.fail(testing::FileOp::List, f.dir2 + "/locked", EACCES);
        QCOMPARE(f.build(), int(kBuildFinished));
        Shown s(f);
        QCOMPARE(s.window.model()->rowCount(), 2);
        QCOMPARE(s.text(1, 0), QString::fromStdString(f.dir1 + "/link -> locked/a.txt"));
        QCOMPARE(s.text(1, 1), QString::fromStdString(f.dir1 + "/locked"));
        QCOMPARE(s.text(2, 1), QString::fromStdString(f.dir2 + "/locked"));
        const QModelIndex date = s.window.model()->index(1, DirectoryListModel::columnOf(1, 1));
        QCOMPARE(date.data().toString(), QStringLiteral("Cannot read: Permission denied"));
        const QColor unreadable(255, 150, 150);
        QCOMPARE(s.edgeColour(1, 1), unreadable);
        QCOMPARE(s.edgeColour(2, 1), unreadable);
    }

    void differencesOnlyLeavesOutEqualPairs() {
        SmallTrees f;
        Shown s(f);
        f.app.settings.record.directoryDiffsOnly = 1;
        s.window.fill();
        QCOMPARE(s.window.model()->rowCount(), 3);
        QCOMPARE(s.text(1, 0), QString::fromStdString(f.dir1 + "/b.txt"));
    }

    void selectingInTheRightListClearsTheLeftAndCopiesFromDirectory2() {
        SmallTrees f;
        Shown s(f);
        s.click(1, 2);
        QCOMPARE(s.list(1)->selectedRows(), std::vector<int>{2});
        s.click(2, 3);
        QVERIFY(s.list(1)->selectedRows().empty());
        const ListSelection chosen = s.window.selection();
        QCOMPARE(chosen.side, 2);
        QCOMPARE(chosen.itemTexts, std::vector<std::string>{f.dir2 + "/d.txt"});

        RouterInputs inputs;
        inputs.selectedItems = [&s] { return s.window.selection(); };
        CommandRouter router(f.app, f.dirs, inputs);
        QVERIFY(router.route(cmd::kCopyToDestination));
        QCOMPARE(f.tree.read("out put/d.txt"), std::string("right\n"));
        QVERIFY(!std::filesystem::exists(f.tree.file("out put/c.txt")));
    }

    void onlyADifferingPairStartsAMergeRun() {
        SmallTrees f;
        Shown s(f);
        QSignalSpy activated(s.list(1), &QAbstractItemView::activated);
        for (int row : {0, 2, 3})
            s.doubleClick(1, row);
        QCOMPARE(activated.count(), 3);
        QVERIFY(f.started.empty());

        s.doubleClick(2, 1);
        QCOMPARE(f.started.size(), std::size_t(1));
        const std::vector<std::string> expected = {"/opt/tandel bin/tandel", "-f1",
                                                   f.dir1 + "/b.txt",        "-f2",
                                                   f.dir2 + "/b.txt",        "-outd",
                                                   f.out};
        QCOMPARE(f.started[0], expected);
        QVERIFY(std::filesystem::is_directory(f.out));
        QVERIFY(s.list(2)->hasFocus());

        // Enter on the current row does the same.
        s.list(1)->setFocus();
        s.list(1)->setCurrentIndex(s.list(1)->model()->index(1, 0));
        QTest::keyClick(s.list(1), Qt::Key_Return);
        QCOMPARE(f.started.size(), std::size_t(2));
    }

    void dateClickedTwiceGivesNewestThenOldestFirstInBothLists() {
        SmallTrees f;
        Shown s(f);
        s.click(1, 1); // b stays selected wherever it goes
        s.clickHeader(2, 1);
        // Right halves' times: a 1001, b 3001, c none (0), d 4000.
        QCOMPARE(s.text(2, 0), QString::fromStdString(f.dir2 + "/d.txt"));
        QCOMPARE(s.text(1, 0), QString());
        QCOMPARE(s.text(1, 1), QString::fromStdString(f.dir1 + "/b.txt"));
        QCOMPARE(s.list(1)->selectedRows(), std::vector<int>{1});
        s.clickHeader(2, 1);
        QCOMPARE(s.text(2, 0), QString());
        QCOMPARE(s.text(1, 0), QString::fromStdString(f.dir1 + "/c.txt"));
        QCOMPARE(s.text(2, 3), QString::fromStdString(f.dir2 + "/d.txt"));
        QCOMPARE(s.list(1)->selectedRows(), std::vector<int>{2});
        // The untitled column does not sort.
        s.clickHeader(1, 2);
        QCOMPARE(s.text(2, 3), QString::fromStdString(f.dir2 + "/d.txt"));
    }

    void listsScrollTogetherAndNextWrapsToARowAboveTheTop() {
        LongTrees f;
        Shown s(f);
        QCOMPARE(s.window.model()->rowCount(), 61);
        s.list(2)->setFocus();
        QTest::keyClick(s.list(2), Qt::Key_PageDown);
        QTest::keyClick(s.list(2), Qt::Key_PageDown);
        const int top = s.list(2)->topRow();
        QVERIFY(top > 0);
        QCOMPARE(s.list(1)->topRow(), top);

        s.window.next(); // the only differing row, 0, is above the top
        QCOMPARE(s.list(1)->topRow(), 0);
        QCOMPARE(s.list(2)->topRow(), 0);

        s.window.scrollByKey(PaneKey::End);
        QVERIFY(s.list(1)->topRow() > 0);
        QCOMPARE(s.list(2)->topRow(), s.list(1)->topRow());
        s.window.previous();
        QCOMPARE(s.list(1)->topRow(), 0);
    }

    void columnWidthsComeFromAndGoBackToTheSettings() {
        SmallTrees f;
        f.app.settings.geometry.pathSize2 = 250;
        f.app.settings.geometry.timeSize2 = 90;
        Shown s(f);
        QCOMPARE(s.list(1)->columnWidths(), (ListColumnWidths{800 / 2 - 130, 130}));
        QCOMPARE(s.list(2)->columnWidths(), (ListColumnWidths{250, 90}));
        QCOMPARE(f.app.settings.geometry.pathSize1, 800 / 2 - 130); // -1 is replaced
        s.list(2)->header()->resizeSection(DirectoryListModel::columnOf(1, 0), 180);
        QCOMPARE(f.app.settings.geometry.pathSize2, 180);
        QCOMPARE(f.app.settings.geometry.timeSize2, 90);
    }

    void rightClickOpensTheContextMenu() {
        SmallTrees f;
        Shown s(f);
        QMenu menu;
        menu.addAction(QStringLiteral("&Next"));
        s.window.setContextMenu(&menu);
        const QPoint at = s.rowPoint(1, 1);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, s.list(1)->viewport()->mapToGlobal(at));
        QApplication::sendEvent(s.list(1)->viewport(), &event);
        QTRY_VERIFY(menu.isVisible());
        menu.close();
    }
};

QTEST_MAIN(DirectoryWindowTest)
#include "directory_window_test.moc"
