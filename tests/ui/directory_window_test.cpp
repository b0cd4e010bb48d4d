// The directory window's two lists over real folders: colours, markers,
// names, the selection band, scrolling, activation, sorting, Next and the
// widths written back.
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

#include <cerrno>
#include <filesystem>
#include <unistd.h>

#include "ui_test_main.h"
#include "control/command_router.h"
#include "frame/command_ids.h"
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
    QString text(int side, int row, int column = kNameColumn, int role = Qt::DisplayRole) const {
        const DirectoryListView* l = list(side);
        return l->model()
            ->index(row, DirectoryListModel::columnOf(l->half(), column))
            .data(role)
            .toString();
    }
    // The colour behind the end of a row's name, away from the text and the focus frame.
    QColor behindName(int side, int row) const {
        const DirectoryListView* l = list(side);
        const QImage image = l->viewport()->grab().toImage();
        const QRect rect =
            l->visualRect(l->model()->index(row, DirectoryListModel::columnOf(l->half(), kNameColumn)));
        return image.pixelColor(rect.right() - 4, rect.center().y());
    }
    // The colour at the left edge of a row's marker cell.
    QColor markerColour(int side, int row) const {
        const DirectoryListView* l = list(side);
        const QImage image = l->viewport()->grab().toImage();
        const QRect rect =
            l->visualRect(l->model()->index(row, DirectoryListModel::columnOf(l->half(), kMarkerColumn)));
        return image.pixelColor(rect.left() + 1, rect.center().y());
    }
    // The darkest lightness of the name cell's pixels: where the text is.
    int darkestInName(int side, int row) const {
        const DirectoryListView* l = list(side);
        const QImage image = l->viewport()->grab().toImage();
        const QRect rect =
            l->visualRect(l->model()->index(row, DirectoryListModel::columnOf(l->half(), kNameColumn)));
        int darkest = 255;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                darkest = std::min(darkest, image.pixelColor(x, y).lightness());
        return darkest;
    }
};

// The style washes the current row lightly with its focus frame.
bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 40 && std::abs(a.green() - b.green()) <= 40 &&
           std::abs(a.blue() - b.blue()) <= 40;
}

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(45, 45, 45));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

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
        // The name below its directory, the whole path in the tooltip.
        QCOMPARE(s.text(1, 2), QStringLiteral("c.txt"));
        QCOMPARE(s.text(1, 2, kNameColumn, Qt::ToolTipRole), QString::fromStdString(f.dir1 + "/c.txt"));
        QCOMPARE(s.text(2, 2), QString());
        // What the colours cannot say: one side only or a pair that differs.
        const QStringList left = {s.text(1, 0, kMarkerColumn), s.text(1, 1, kMarkerColumn),
                                  s.text(1, 2, kMarkerColumn), s.text(1, 3, kMarkerColumn)};
        QCOMPARE(left, QStringList({"same", "differs", "only here", "absent"}));
        QCOMPARE(s.text(2, 2, kMarkerColumn), QStringLiteral("absent"));
        QCOMPARE(s.text(1, 2, kSizeColumn), QStringLiteral("5"));
        QCOMPARE(s.window.counts()->text(),
                 QString::fromUtf8("1 equal \u00b7 1 differ \u00b7 1 only left \u00b7 1 only right "
                                   "\u00b7 0 unreadable"));
        QVERIFY(!s.window.notice()->isVisible());
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
        QCOMPARE(s.text(1, 0), QStringLiteral("link -> locked/a.txt"));
        QCOMPARE(s.text(1, 1), QStringLiteral("locked"));
        QCOMPARE(s.text(2, 1), QStringLiteral("locked"));
        QCOMPARE(s.text(2, 1, kMarkerColumn), QStringLiteral("unreadable"));
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
        QCOMPARE(s.text(1, 0), QStringLiteral("b.txt"));
    }

    // Light and dark: a band of the selection colour runs across the row
    // whatever its colour, the marker keeps the row's colour, and the text
    // on a coloured row stays dark enough to read.
    void theSelectedRowIsABandOfTheSelectionColourOnEveryRowColour() {
        for (const bool dark : {false, true}) {
            SmallTrees f;
            Shown s(f);
            if (dark)
                s.window.setPalette(darkPalette());
            const QColor band = s.list(1)->palette().color(QPalette::Active, QPalette::Highlight);
            for (int row = 0; row < 4; ++row) {
                s.click(1, row);
                QVERIFY(near(s.behindName(1, row), band));
                const QColor own = rowColour(f.dirs.state.rows[static_cast<std::size_t>(row)].left.state);
                if (own.isValid())
                    QVERIFY(near(s.markerColour(1, row), own));
            }
            s.click(2, 1); // the other list: the left one shows its colour again
            QCOMPARE(s.behindName(1, 1), QColor(0, 255, 0));
            QVERIFY(near(s.behindName(2, 1), band));
            QVERIFY(s.darkestInName(1, 1) < 100);
        }
    }

    void theCountsAndTheIncompleteNoteFollowTheRows() {
        SmallTrees f;
        Shown s(f);
        const int top = s.list(1)->geometry().top();
        f.dirs.state.listIncomplete = true;
        s.window.fill();
        QVERIFY(s.window.notice()->isVisible());
        QCOMPARE(s.window.notice()->text(),
                 QStringLiteral("Scan cancelled: the list is incomplete. Press F5 to rescan."));
        QVERIFY(s.list(1)->geometry().top() >= top + s.window.notice()->height());
        QVERIFY(s.window.counts()->geometry().top() >= s.list(1)->geometry().bottom());
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
        QCOMPARE(chosen.rows, std::vector<int>{3});

        RouterInputs inputs;
        inputs.selectedItems = [&s] { return s.window.selection(); };
        CommandRouter router(f.app, f.dirs, inputs);
        QVERIFY(router.route(cmd::kCopyToDestination));
        QCOMPARE(f.tree.read("out put/d.txt"), std::string("right\n"));
        QVERIFY(!std::filesystem::exists(f.tree.file("out put/c.txt")));
        QCOMPARE(s.text(2, 3, kMarkerColumn), QStringLiteral("copied"));
        QCOMPARE(s.text(1, 3, kMarkerColumn), QStringLiteral("absent"));
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

        // Back at the window once the run saved its result: the row says so.
        QCOMPARE(s.text(1, 1, kMarkerColumn), QStringLiteral("differs"));
        f.tree.write("out put/b.txt", "merged\n");
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&s.window, &activate);
        QCOMPARE(s.text(1, 1, kMarkerColumn), QStringLiteral("merged"));
        QCOMPARE(s.text(2, 1, kMarkerColumn, Qt::ToolTipRole),
                 QStringLiteral("Differs between the directories; merged into the destination"));
    }

    void dateClickedTwiceGivesNewestThenOldestFirstInBothLists() {
        SmallTrees f;
        Shown s(f);
        s.click(1, 1); // b stays selected wherever it goes
        s.clickHeader(2, 1);
        // Right halves' times: a 1001, b 3001, c none (0), d 4000.
        QCOMPARE(s.text(2, 0), QStringLiteral("d.txt"));
        QCOMPARE(s.text(1, 0), QString());
        QCOMPARE(s.text(1, 1), QStringLiteral("b.txt"));
        QCOMPARE(s.list(1)->selectedRows(), std::vector<int>{1});
        s.clickHeader(2, 1);
        QCOMPARE(s.text(2, 0), QString());
        QCOMPARE(s.text(1, 0), QStringLiteral("c.txt"));
        QCOMPARE(s.text(2, 3), QStringLiteral("d.txt"));
        QCOMPARE(s.list(1)->selectedRows(), std::vector<int>{2});
        // The untitled column does not sort.
        s.clickHeader(1, kFillerColumn);
        QCOMPARE(s.text(2, 3), QStringLiteral("d.txt"));
        // Sizes, largest first: c.txt holds 5 bytes, the others 4, d none on the left.
        s.clickHeader(1, kSizeColumn);
        QCOMPARE(s.text(1, 0), QStringLiteral("c.txt"));
        QCOMPARE(s.text(2, 3), QStringLiteral("d.txt"));
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
        // It is selected in the list that held the focus, which keeps it:
        // Enter opens the row Next reached.
        QCOMPARE(s.list(2)->selectedRows(), std::vector<int>{0});
        QVERIFY(s.list(2)->hasFocus());
        QTest::keyClick(s.list(2), Qt::Key_Return);
        QCOMPARE(f.started.size(), std::size_t(1));

        s.window.scrollByKey(PaneKey::End);
        QVERIFY(s.list(1)->topRow() > 0);
        QCOMPARE(s.list(2)->topRow(), s.list(1)->topRow());
        s.window.previous();
        QCOMPARE(s.list(1)->topRow(), 0);
        QCOMPARE(s.list(2)->selectedRows(), std::vector<int>{0});
    }

    void columnWidthsComeFromAndGoBackToTheSettings() {
        SmallTrees f;
        f.app.settings.geometry.pathSize2 = 250;
        f.app.settings.geometry.timeSize2 = 90;
        Shown s(f);
        QCOMPARE(s.list(1)->columnWidths(), (ListColumnWidths{kDefaultNameMinimum, 130, 80, 80}));
        QCOMPARE(s.list(2)->columnWidths(), (ListColumnWidths{250, 90, 80, 80}));
        QCOMPARE(f.app.settings.geometry.pathSize1, kDefaultNameMinimum); // -1 is replaced
        s.list(2)->header()->resizeSection(DirectoryListModel::columnOf(1, kNameColumn), 180);
        s.list(2)->header()->resizeSection(DirectoryListModel::columnOf(1, kSizeColumn), 66);
        QCOMPARE(f.app.settings.geometry.pathSize2, 180);
        QCOMPARE(f.app.settings.geometry.timeSize2, 90);
        QCOMPARE(f.app.settings.geometry.sizeSize2, 66);
        // Left to right: the marker, the name, the size, the date.
        const QHeaderView* header = s.list(1)->header();
        QVERIFY(header->sectionViewportPosition(kMarkerColumn) < header->sectionViewportPosition(kNameColumn));
        QVERIFY(header->sectionViewportPosition(kSizeColumn) < header->sectionViewportPosition(kDateColumn));
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

TANDEL_UI_TEST(DirectoryWindowTest)
#include "directory_window_test.moc"
