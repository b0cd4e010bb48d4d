// Start-up and shut-down of the real window: geometry, run modes, the files
// of the command line, bad input, and the settings written at the end.
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

#include "ui_test_main.h"
#include "frame/command_ids.h"
#include "view/diff_title.h"
#include "window_harness.h"

using tandel::MainWindow;
using tandel::test::WindowHarness;

namespace {

void runPosted() { QCoreApplication::sendPostedEvents(); }

bool iniHas(const WindowHarness& h, const std::string& line) {
    return tandel::testing::readFile(h.ini()).find(line) != std::string::npos;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionNamesTheProductAndVersion() {
        WindowHarness h;
        auto window = h.open();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tandel v4.5"));
        QVERIFY(window->isVisible());
        QVERIFY(window->menuWidget() != nullptr);
    }

    void savedGeometryIsClampedAndKeptOnScreen() {
        WindowHarness h;
        h.folder.write("tandel.ini", "[Options]\nLeft=-40\nTop=-5\nWidth=100\nHeight=50\n");
        auto small = h.open();
        QCOMPARE(small->pos(), QPoint(0, 0));
        QCOMPARE(small->size(), QSize(150, 100));
        small->close();

        // Far off every screen: brought back whole onto the first one.
        h.folder.write("tandel.ini", "[Options]\nLeft=50000\nTop=40000\nWidth=90000\nHeight=480\n");
        auto far = h.open();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(QRect(far->pos(), far->size())));
        far->close();

        // The bottom below the screen: moved up until all of it shows.
        const std::string low = "[Options]\nLeft=20\nTop=" + std::to_string(screen.bottom() - 60) +
                                "\nWidth=300\nHeight=200\n";
        h.folder.write("tandel.ini", low);
        auto raised = h.open();
        QCOMPARE(raised->pos(), QPoint(20, screen.bottom() + 1 - 200));
        QCOMPARE(raised->size(), QSize(300, 200));
    }

    void aSecondWindowOpensAStepDownAndRightOfTheFirst() {
        WindowHarness one;
        WindowHarness two;
        WindowHarness three;
        const std::string ini = "[Options]\nLeft=40\nTop=30\nWidth=300\nHeight=200\n";
        for (WindowHarness* h : {&one, &two, &three}) {
            h->folder.write("tandel.ini", ini);
        }
        auto first = one.open();
        auto second = two.open();
        QCOMPARE(first->pos(), QPoint(40, 30));
        QCOMPARE(second->pos(), QPoint(40 + 32, 30 + 32));
        QCOMPARE(second->size(), QSize(300, 200));
        // The newest open window is the one stepped from; a closed one is not.
        second->close();
        auto third = three.open();
        QCOMPARE(third->pos(), QPoint(40 + 32, 30 + 32));
    }

    void closingAndQuitBothWriteTheSettings() {
        WindowHarness h;
        auto closed = h.open();
        closed->resize(420, 310);
        closed->close();
        QVERIFY(iniHas(h, "Width=420"));
        QVERIFY(iniHas(h, "Height=310"));

        auto quit = h.open();
        QSignalSpy finished(quit.get(), &MainWindow::finished);
        quit->resize(500, 333);
        QTest::keyClick(quit.get(), Qt::Key_F4, Qt::AltModifier);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!quit->isVisible());
        QVERIFY(iniHas(h, "Height=333"));
        // Commands that arrive after the end do nothing.
        QSignalSpy received(quit.get(), &MainWindow::commandReceived);
        quit->runCommand(tandel::cmd::kCompareFiles);
        QCOMPARE(received.count(), 0);
    }

    void choicesNotSavedAreAskedAboutBeforeTheWindowCloses() {
        WindowHarness h;
        const std::string out = h.folder.file("merged.txt");
        auto window = h.open({h.folder.write("a.txt", "a\r\nb\r\n"), h.folder.write("b.txt", ""),
                              "-outf", out});
        runPosted();
        // An empty side is the other file as one difference, there to be taken.
        auto* title = window->findChild<tandel::DiffTitle*>(QStringLiteral("Title1"));
        QCOMPARE(title->formatLabel(), QStringLiteral("  (CR LF)"));
        QTest::keyClick(window.get(), Qt::Key_Left, Qt::ControlModifier);
        h.dialogs.answers.push_back(tandel::test::clickStandard(QMessageBox::Cancel));
        window->close();
        QVERIFY(window->isVisible());
        h.dialogs.answers.push_back(tandel::test::clickStandard(QMessageBox::Save));
        QSignalSpy finished(window.get(), &MainWindow::finished);
        window->close();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(tandel::testing::readFile(out), std::string("a\r\nb\r\n"));
        QCOMPARE(h.dialogs.shown.size(), std::size_t{2});
    }

    void twoBareNamesLoadAndCompare() {
        WindowHarness h;
        const std::string a = h.folder.write("a.txt", "one\ntwo\nthree\n");
        const std::string b = h.folder.write("b.txt", "one\n2\nthree\n");
        auto window = h.open({a, b});
        runPosted();
        const tandel::Application& app = window->application();
        QCOMPARE(app.model.side(1).fileName, a);
        QCOMPARE(app.model.side(2).fileName, b);
        QCOMPARE(app.settings.record.notYetCompared, 0);
        QVERIFY(app.settings.record.rowCount > 0);
        QVERIFY(h.dialogs.shown.empty());
    }

    void anUnknownSwitchIsShownAndTheWindowStillOpens() {
        WindowHarness h;
        auto window = h.open({"-nosuch", h.folder.write("a.txt", "x\n")});
        QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
        QCOMPARE(h.dialogs.shown[0].title, QStringLiteral("Error"));
        QCOMPARE(h.dialogs.shown[0].text, QStringLiteral("Unknown option"));
        QVERIFY(window->isVisible());
    }

    void directoryWindowModeHasItsOwnMenusKeysAndToolbar() {
        WindowHarness h;
        const std::string one = h.folder.write("one/f.txt", "a\n");
        const std::string two = h.folder.write("two/f.txt", "b\n");
        auto window = std::make_unique<MainWindow>(
            h.services(), std::vector<std::string>{"-d1", h.folder.file("one"), "-d2",
                                                   h.folder.file("two"), "-outd",
                                                   h.folder.file("out"), "-mandc"});
        QSignalSpy received(window.get(), &MainWindow::commandReceived);
        window->start();
        QVERIFY(window->menuWidget() == nullptr);
        QCOMPARE(window->toolbar()->actions().size(), 15);
        QVERIFY(window->quickMenu() != nullptr);
        runPosted();
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toInt(), tandel::cmd::kCompareDirectoryLists);
    }

    void badInputGivesMessagesNotCrashes() {
        WindowHarness h;
        h.folder.write("tandel.ini", std::string("[Options]\nTab size=-7\nWidth=99999999999\n"
                                                 "\x01\x02garbage\0\xff\n[Font]\nFont name=No "
                                                 "Such Face At All\nPoint size=-999999\n"
                                                 "Weight=77777\n",
                                                 120));
        const std::string missing = h.folder.file("missing.txt");
        const std::string folderAsFile = h.folder.write("dir/inner.txt", "x\n");
        auto window = h.open({missing, h.folder.file("dir")});
        runPosted();
        QVERIFY(window->isVisible());
        const auto texts = h.dialogs.texts();
        QCOMPARE(texts.size(), std::size_t{3});
        QVERIFY(texts[0].contains(QStringLiteral(" is not a text file")));
        QVERIFY(texts[1].contains(QString::fromStdString(missing)));
        QVERIFY(texts[2].startsWith(QStringLiteral("Unable to open file")));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(missing)));
        const tandel::SettingsRecord& record = window->application().settings.record;
        QVERIFY(record.lineHeight > 0 && record.lineHeight < 1000);
        QVERIFY(record.charWidth > 0);
        window->close();
        QVERIFY(iniHas(h, "Tab size=8"));
    }

    void aFolderGivenAsAFileToTheDirectoryWindowIsReported() {
        WindowHarness h;
        const std::string file = h.folder.write("plain.txt", "x\n");
        auto window = h.open({"-d1", file, "-d2", h.folder.path(), "-outd",
                              h.folder.file("out"), "-mandc"});
        runPosted();
        QVERIFY(!h.dialogs.shown.empty());
        QCOMPARE(tandel::testing::readFile(file), std::string("x\n"));
    }
};

TANDEL_UI_TEST(MainWindowTest)
#include "main_window_test.moc"
