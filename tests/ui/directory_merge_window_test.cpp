// Directory merging over real folders: the selection dialog alone, then the
// real window with the walk, the directory window and a real child.
#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <filesystem>

#include "app/window_services.h"
#include "dialogs/build_progress_dialog.h"
#include "dialogs/select_directories_dialog.h"
#include "dirmerge/child_commands.h"
#include "frame/command_ids.h"
#include "merge/fake_frame.h"
#include "ui_test_main.h"
#include "view/directory_list_model.h"
#include "view/directory_list_view.h"
#include "view/directory_window.h"
#include "window_harness.h"

using namespace tandel;
using test::DialogScript;
using test::WindowHarness;

namespace {

using test::control;

void press(QWidget& dialog, int id) {
    test::press(control(dialog, id));
}

void type(QWidget& dialog, int id, const std::string& text) {
    test::type(control<QLineEdit>(dialog, id), QString::fromStdString(text));
}

struct Selection {
    testing::TempFolder tree;
    test::FakeFrame frame;
    Settings settings;
    std::vector<std::pair<QString, std::string>> browsed; // title, start
    std::optional<std::string> browseAnswer;

    Selection() {
        settings.files.selectDir1 = tree.mkdir("one");
        settings.files.selectDir2 = tree.mkdir("caf\xe9"); // not UTF-8
        settings.files.selectOutdir = tree.file("out");
        settings.geometry.outDirUIType = kToOther;
    }
    std::unique_ptr<SelectDirectoriesDialog> open() {
        SelectDirectoriesDialog::Hooks hooks;
        hooks.browse = [this](QWidget*, const QString& title, const std::string& start) {
            browsed.emplace_back(title, start);
            return browseAnswer;
        };
        auto dialog = std::make_unique<SelectDirectoriesDialog>(frame, settings, hooks, nullptr);
        dialog->show();
        return dialog;
    }
};

// Handles posted commands until `done`, with a bound instead of a clock.
template <typename Done> bool pump(Done done) {
    for (int i = 0; i < 100000 && !done(); ++i) {
        QCoreApplication::processEvents();
    }
    return done();
}

// Types the three folders into "Select directories to merge", picks the radio, then OK.
DialogScript::Answer selectDirectories(const std::string& dir1, const std::string& dir2,
                                       const std::string& other, int radio, bool show) {
    return test::answer([=](QDialog& dialog) {
        type(dialog, 1004, dir1);
        type(dialog, 1003, dir2);
        type(dialog, 104, other);
        control<QRadioButton>(dialog, radio)->setChecked(true);
        control<QCheckBox>(dialog, 1010)->setChecked(show);
        press(dialog, 1);
    });
}

QString firstMenuItem(MainWindow& window) {
    return window.menuBar()->actions().front()->menu()->actions().front()->text();
}

// Runs `act` once, as soon as the list build's progress box is up.
template <typename Act> void whileBuilding(MainWindow& window, Act act) {
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &window, act] {
        if (auto* box = window.findChild<BuildProgressDialog*>()) {
            timer->stop();
            act(*box);
        }
    });
    timer->start(0);
}

// What a test reads off and does to the directory window's two lists.
struct Lists {
    DirectoryWindow& window;

    DirectoryListView* list(int side) const { return window.list(side); }
    QRect cell(int side, int row, int column = kNameColumn) const {
        const DirectoryListView* l = list(side);
        return l->visualRect(
            l->model()->index(row, DirectoryListModel::columnOf(l->half(), column)));
    }
    QString text(int side, int row, int column = kNameColumn, int role = Qt::DisplayRole) const {
        const DirectoryListView* l = list(side);
        const int section = DirectoryListModel::columnOf(l->half(), column);
        return l->model()->index(row, section).data(role).toString();
    }
    void click(int side, int row) const {
        QTest::mouseClick(list(side)->viewport(), Qt::LeftButton, {}, cell(side, row).center());
    }
    void clickHeader(int side, int column) const {
        QHeaderView* header = list(side)->header();
        const int section = DirectoryListModel::columnOf(list(side)->half(), column);
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(section) + 10, header->height() / 2));
    }
    // Near the right edge of the list, right of every cell.
    QColor edgeColour(int side, int row) const {
        const QPoint at(list(side)->viewport()->width() - 2, cell(side, row).top() + 1);
        return list(side)->viewport()->grab().toImage().pixelColor(at);
    }
};

struct Trees {
    WindowHarness h;
    std::string one = h.folder.mkdir("one");
    std::string two = h.folder.mkdir("two");
    std::string out = h.folder.file("out");

    std::vector<std::string> mandc() const {
        return {"-d1", one, "-d2", two, "-outd", out, "-mandc"};
    }
};

} // namespace

class DirectoryMergeWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theSelectionRefusesAFileAndTakesBrowsedAndDroppedFolders() {
        Selection s;
        auto dialog = s.open();
        QVERIFY(control<QCheckBox>(*dialog, 1010)->isChecked());
        press(*dialog, 1010);
        const std::string file = s.tree.write("plain", "x");
        type(*dialog, 1004, file);
        press(*dialog, 1); // refused: the dialog stays open
        QVERIFY(dialog->isVisible());
        QCOMPARE(s.frame.shown(Severity::Error),
                 std::vector<std::string>{file + " is not a directory"});
        type(*dialog, 1004, s.tree.file("one"));
        s.browseAnswer = s.tree.file("chosen");
        press(*dialog, 1002); // browse for the destination
        QCOMPARE(s.browsed.back(),
                 std::pair(QStringLiteral("Select destination directory"), s.tree.file("out")));
        auto* edit = control<QLineEdit>(*dialog, 104);
        QCOMPARE(edit->text(), QString::fromStdString(s.tree.file("chosen")));
        QVERIFY(test::dropFiles(edit, {QString::fromStdString(s.tree.file("dropped")), "/second"}));
        press(*dialog, 1);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(std::filesystem::is_directory(s.tree.file("dropped")));
        QCOMPARE(dialog->selection().dir2, s.tree.file("caf\xe9")); // byte for byte
        QCOMPARE(dialog->selection().destination, s.tree.file("dropped"));
        QVERIFY(!dialog->selection().showDirectories);
        QVERIFY(control<QCheckBox>(*s.open(), 1010)->isChecked()); // ticked at every opening
    }

    void showDirectoriesStartsADirectoryWindowAndOtherwiseTheWalkFillsTheDestination() {
        Trees t;
        for (const char* rel : {"a.txt", "sub/b.txt", "sub/deeper/c.txt"}) {
            t.h.folder.write(std::string("one/") + rel, rel);
            t.h.folder.write(std::string("two/") + rel, rel);
        }
        t.h.helpPage = t.h.folder.write("help/index.html", "<p>");
        auto window = t.h.open();
        window->application().settings.record.recursive = 1;
        t.h.dialogs.answers = {selectDirectories(t.one, t.two, t.out, 1009, true),
                               test::clickStandard(QMessageBox::Yes)}; // make "out"
        window->runCommand(cmd::kCompareDirs);
        QCOMPARE(t.h.started, (std::vector<std::vector<std::string>>{directoryWindowArguments(
                                  t.h.folder.file("bin/tandel"), t.one, t.two, t.out)}));
        QVERIFY(t.h.iniHas("Recursive=1"));

        const QString fileMenu = firstMenuItem(*window);
        QString menuDuringWalk;
        t.h.dialogs.answers = {selectDirectories(t.one, t.two, t.out, 1009, false),
                               [&](QDialog& box) {
                                   menuDuringWalk = firstMenuItem(*window);
                                   return box.result();
                               }};
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        const QString done("Directories compared: 3 copied, 0 merged, 0 skipped, 0 failed");
        QVERIFY(
            pump([&] { return !t.h.dialogs.shown.empty() && t.h.dialogs.texts().back() == done; }));
        QVERIFY(!menuDuringWalk.isEmpty() && menuDuringWalk != fileMenu); // the walk's own
        QCOMPARE(firstMenuItem(*window), fileMenu);
        QCOMPARE(t.h.folder.read("out/sub/deeper/c.txt"), std::string("sub/deeper/c.txt"));
        // "Directory Merging": Enter adds what was typed; with nothing typed it is OK.
        t.h.dialogs.answers.push_back(test::answer([](QDialog& filters) {
            type(filters, 603, "*.o");
            QTest::keyClick(control(filters, 603), Qt::Key_Return);
            QVERIFY(filters.isVisible());
            press(filters, 23);
            control<QLineEdit>(filters, 603)->clear();
            QTest::keyClick(control(filters, 603), Qt::Key_Return);
        }));
        window->runCommand(cmd::kDirectoryMergingOptions);
        QCOMPARE(t.h.dialogs.shown.back().title, QStringLiteral("Directory Merging"));
        QCOMPARE(window->application().settings.lists.excludeFilters,
                 std::vector<std::string>{"*.o"});
        QCOMPARE(t.h.opened.size(), std::size_t(1));
        QCOMPARE(t.h.opened[0].fragment(), QStringLiteral("context-264"));
    }

    // a equal, b differing, c left only, d right only; sub/ unlisted, not recursive.
    void theListsShowTheRowsAndAnswerClicksKeysAndButtons() {
        Trees t;
        const testing::TempFolder::Entry files[] = {
            {"one/a.txt", "same\n", 1000},    {"two/a.txt", "same\n", 1001},
            {"one/b.txt", "one\n", 3000},     {"two/b.txt", "two\n", 3001},
            {"one/c.txt", "left\n", 2000},    {"two/d.txt", "right\n", 4000},
            {"one/sub/deep.txt", "d\n", 5000}};
        t.h.folder.writeAll(files);
        auto window = t.h.open(t.mandc());
        Lists s{*window->directoryWindow()};
        QVERIFY(pump([&] { return s.window.model()->rowCount() == 4; }));
        QVERIFY(window->findChild<BuildProgressDialog*>() == nullptr); // closed again
        const QColor green(0, 255, 0), yellow(255, 255, 0);
        QCOMPARE(s.edgeColour(1, 1), green);
        QCOMPARE(s.edgeColour(2, 1), green);
        QCOMPARE(s.edgeColour(1, 2), green);
        QCOMPARE(s.edgeColour(2, 2), yellow);
        QCOMPARE(s.edgeColour(1, 3), yellow);
        QVERIFY(s.edgeColour(1, 0) != green && s.edgeColour(1, 0) != yellow);
        // The name below its directory, the whole path in the tooltip.
        QCOMPARE(s.text(1, 2), QStringLiteral("c.txt"));
        QCOMPARE(s.text(1, 2, kNameColumn, Qt::ToolTipRole),
                 QString::fromStdString(t.one + "/c.txt"));
        QCOMPARE(s.text(2, 2), QString());

        // Ctrl+D copies the selection of the list that holds it (a click clears the other).
        s.click(1, 2);
        s.click(2, 3);
        QVERIFY(s.list(1)->selectedRows().empty());
        t.h.dialogs.answers.push_back(test::clickStandard(QMessageBox::Yes));
        QTest::keyClick(s.list(2), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(t.h.folder.read("out/d.txt"), std::string("right\n"));
        // Alt+Down is Next: the next row not equal; F3 finds in both lists.
        QTest::keyClick(s.list(2), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(s.list(2)->selectedRows(), std::vector<int>{1});
        window->application().frameState.searchText = "d.txt";
        QTest::keyClick(s.list(2), Qt::Key_F3);
        QCOMPARE(s.list(2)->selectedRows(), std::vector<int>{3});

        // Only a differing pair starts a merge run, by a double click or Enter.
        for (int row : {0, 2, 3, 1}) {
            s.click(2, row);
            QTest::mouseDClick(s.list(2)->viewport(), Qt::LeftButton, {}, s.cell(2, row).center());
        }
        QCOMPARE(t.h.started,
                 std::vector<std::vector<std::string>>{mergeRunArguments(
                     t.h.folder.file("bin/tandel"), t.one + "/b.txt", t.two + "/b.txt", t.out)});
        s.list(1)->setFocus();
        s.list(1)->setCurrentIndex(s.list(1)->model()->index(1, 0));
        QTest::keyClick(s.list(1), Qt::Key_Return);
        QCOMPARE(t.h.started.size(), std::size_t(2));
        // Back at the window once the run saved its result: the row says so.
        t.h.folder.write("out/b.txt", "merged\n");
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&s.window, &activate);
        QCOMPARE(s.text(1, 1, kMarkerColumn), QStringLiteral("merged"));

        // A header click sorts both lists, keeping the selection (newest right half first).
        s.click(1, 1);
        s.clickHeader(2, kDateColumn);
        QCOMPARE(s.text(2, 0), QStringLiteral("d.txt"));
        QCOMPARE(s.list(1)->selectedRows(), std::vector<int>{1});

        // The toolbar's flags fill the lists again at once.
        QToolBar* toolbar = window->toolbar();
        for (const int id : {cmd::kToggleDiffsOnly, cmd::kToggleSubdirectories}) {
            QAction* action = toolbar->findChild<QAction*>(QString::number(id));
            QTest::mouseClick(toolbar->widgetForAction(action), Qt::LeftButton);
            QVERIFY(action->isChecked());
        }
        QCOMPARE(s.window.model()->rowCount(), 4); // a left out, sub/deep.txt in
        QCOMPARE(window->application().settings.record.recursive, 1);
    }

    // F5 reads a cancelled list again in full; closing the window stops the build.
    void cancelInTheProgressBoxKeepsTheRowsFoundAndClosingStopsTheBuild() {
        Trees t;
        for (int i = 0; i < 30; ++i) {
            t.h.folder.write("one/" + std::to_string(i) + ".txt", "x\n");
        }
        auto window = std::make_unique<MainWindow>(t.h.services(), t.mandc());
        QSignalSpy finished(window.get(), &MainWindow::finished);
        QString shownPath; // the box shows the path being compared at once
        whileBuilding(*window, [&shownPath](BuildProgressDialog& box) {
            shownPath = box.shownPath();
            QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("2")), Qt::LeftButton);
        });
        window->start();
        DirectoryWindow& lists = *window->directoryWindow();
        QVERIFY(pump([&] { return lists.notice()->isVisible(); }));
        const int found = lists.model()->rowCount();
        QVERIFY(found > 0 && found < 30);
        QVERIFY(shownPath.startsWith(QString::fromStdString(t.one + "/")));
        QVERIFY(window->isVisible());
        QCOMPARE(finished.count(), 0);
        QTest::keyClick(lists.list(1), Qt::Key_F5);
        QCOMPARE(lists.model()->rowCount(), 30);
        QVERIFY(!lists.notice()->isVisible());

        auto closed = std::make_unique<MainWindow>(t.h.services(), t.mandc());
        QSignalSpy ended(closed.get(), &MainWindow::finished);
        whileBuilding(*closed, [&closed](BuildProgressDialog&) { closed->close(); });
        closed->start();
        QVERIFY(pump([&] { return ended.count() == 1; }));
        QVERIFY(closed->directoryWindow()->model()->rowCount() < 30);
        QVERIFY(!closed->isVisible());
    }

    void aRealChildGetsEachPathAsOneArgument() {
        testing::TempFolder folder;
        const std::string record = folder.file("arguments");
        const std::string script = folder.write(
            "child.sh", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + record + ".part\"\nmv \"" +
                            record + ".part\" \"" + record + "\"\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        desktopServices().startInstance(mergeRunArguments(script, "/a dir/left caf\xe9.txt",
                                                          "/b dir/right  file.txt", "/out dir"));
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(record), 10000);
        QCOMPARE(testing::readFile(record), std::string("-f1\n/a dir/left caf\xe9.txt\n-f2\n/b "
                                                        "dir/right  file.txt\n-outd\n/out dir\n"));
    }
};

TANDEL_UI_TEST(DirectoryMergeWindowTest)
#include "directory_merge_window_test.moc"
