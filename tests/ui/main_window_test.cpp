// The real window: its place, keys, bars, the end of a run, loads on their own
// thread, the menus and toolbar, and the frame's dialogs, fonts and help.
#include <QAction>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>

#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>

#include "app/accelerators.h"
#include "app/frame_layout.h"
#include "app/help_viewer.h"
#include "frame/command_ids.h"
#include "merge/decisions.h"
#include "support/failing_file_system.h"
#include "ui_test_main.h"
#include "view/diff_edit.h"
#include "view/diff_title.h"
#include "view/edit_cont.h"
#include "view/font_description.h"
#include "view/preview_edit.h"
#include "view/progress_panel.h"
#include "window_harness.h"

using namespace tandel;
using test::clickButton;
using test::clickStandard;
using test::pressKey;
using test::WindowHarness;

namespace {

template <typename Act> std::vector<int> ran(MainWindow& window, Act act) {
    QSignalSpy received(&window, &MainWindow::commandReceived);
    act();
    std::vector<int> ids;
    for (const QList<QVariant>& call : received) {
        ids.push_back(call.at(0).toInt());
    }
    return ids;
}

std::vector<int> press(MainWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    return ran(window, [&] { QTest::keyClick(&window, key, modifiers); });
}

// Presses each key a menu shows and checks it runs exactly that item; how many, or -1.
int pressShownKeys(MainWindow& window, const QList<QAction*>& actions) {
    int pressed = 0;
    for (const QAction* action : actions) {
        const qsizetype tab = action->text().indexOf(QLatin1Char('\t'));
        if (action->menu() != nullptr) {
            const int inside = pressShownKeys(window, action->menu()->actions());
            pressed = inside < 0 ? -1 : pressed + inside;
        } else if (tab >= 0 && action->objectName().toInt() != cmd::kQuit && pressed >= 0) {
            const auto chord = ui::parseChord(action->text().mid(tab + 1).toStdString());
            Qt::KeyboardModifiers modifiers;
            modifiers.setFlag(Qt::ControlModifier, chord && (chord->modifiers & ui::kModCtrl));
            modifiers.setFlag(Qt::AltModifier, chord && (chord->modifiers & ui::kModAlt));
            modifiers.setFlag(Qt::ShiftModifier, chord && (chord->modifiers & ui::kModShift));
            const auto key = static_cast<Qt::Key>(chord ? ui::qtKeyOf(chord->key) : 0);
            const bool right =
                press(window, key, modifiers) == std::vector<int>{action->objectName().toInt()};
            pressed = right ? pressed + 1 : -1;
        }
    }
    return pressed;
}

// The access keys marked with "&" more than once in one menu or one of its sub-menus.
QString sharedAccessKeys(const QMenu* menu) {
    std::set<QChar> seen, twice;
    QString inSubMenus;
    for (const QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            inSubMenus += sharedAccessKeys(action->menu());
        }
        const QString text = action->text().section(QLatin1Char('\t'), 0, 0);
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size() && !seen.insert(text[amp + 1].toLower()).second) {
            twice.insert(text[amp + 1].toLower());
        }
    }
    QString keys;
    for (const QChar c : twice) {
        keys += c;
    }
    return keys + inSubMenus;
}

bool clickTool(MainWindow& window, int id) {
    QAction* action = window.toolbar()->findChild<QAction*>(QString::number(id));
    QTest::mouseClick(window.toolbar()->widgetForAction(action), Qt::LeftButton);
    return action->isChecked();
}

test::DialogScript::Answer chooseFile(const std::string& path) {
    return [path](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(path));
        path.empty() ? dialog.reject() : dialog.accept();
        return dialog.result();
    };
}

test::DialogScript::Answer pickFont(const QFont& font) {
    return [font](QDialog& dialog) {
        static_cast<QFontDialog&>(dialog).setCurrentFont(font);
        dialog.accept();
        return dialog.result();
    };
}

// The file layer with reads held at a gate the test opens.
class GatedFiles : public testing::FailingFileSystem {
public:
    IoStatus readInput(const std::string& path, std::size_t spare, InputBytes& out) override {
        std::unique_lock<std::mutex> lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
        lock.unlock();
        return FailingFileSystem::readInput(path, spare, out);
    }
    void open(bool open) {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = open;
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = true;
};

void dropFile(MainWindow& window, const std::string& name, int side) {
    window.application().frameState.droppedNames = {name};
    window.application().frameState.droppedSide = side;
    window.runCommand(cmd::kLoadDropped);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowsGoOntoTheScreenMostOfThemIsOnAStepFromTheNewestOpenOne() {
        using ui::Rect;
        const Rect screens[] = {{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
        const std::pair<Rect, Rect> placed[] = {
            {{1250, 10, 640, 480}, {1280, 10, 640, 480}},   // across both: onto the one with most
            {{5000, 3000, 640, 480}, {640, 320, 640, 480}}, // off every screen: onto the first
            {{0, 0, 90000, 480}, {0, 0, 1280, 480}}};       // bigger than its screen: shrunk
        for (const auto& [wanted, shown] : placed) {
            QCOMPARE(ui::placeOnScreens(wanted, screens), shown);
        }

        WindowHarness one, two, three;
        for (WindowHarness* h : {&one, &two, &three}) {
            h->folder.write("tandel.ini", "[Options]\nLeft=40\nTop=30\nWidth=300\nHeight=200\n");
        }
        // Another running instance's window; the line of an ended one is dropped.
        one.openWindows = one.folder.write("windows", std::to_string(::getppid()) +
                                                          " 100 50 300 200\n999999999 1 1 1 1\n");
        auto first = one.open();
        QCOMPARE(first->pos(), QPoint(132, 82));
        auto second = two.open();
        QCOMPARE(second->pos(), QPoint(164, 114));
        QCOMPARE(second->size(), QSize(300, 200));
        second->close(); // a closed window is not stepped from
        QCOMPARE(three.open()->pos(), QPoint(164, 114));
    }

    void keysTakeTheCurrentSegmentTheBarsSayWhatIsLeftAndTheEndAsksAboutChoicesNotSaved() {
        WindowHarness h;
        h.folder.write("tandel.ini", "[Options]\nAuto walk=1\n");
        const std::string out = h.folder.file("out.txt");
        auto window = h.compare("1\nx\n2\ny\n3\nz\n4\n", "1\r\nX\r\n2\r\nY\r\n3\r\nZ\r\n4\r\n",
                                {"-outf", out});
        QCOMPARE(window->windowTitle(), QStringLiteral("Tandel v4.5 - one.txt : two.txt"));
        auto* title = window->findChild<DiffTitle*>(QStringLiteral("Title2"));
        QCOMPARE(title->formatLabel(), QStringLiteral("  (CR LF)"));
        auto* status = window->statusBar()->findChild<QLabel*>(QStringLiteral("differenceStatus"));
        QCOMPARE(status->text(), QStringLiteral("Difference 1 of 3 \u00b7 3 unresolved"));
        QTest::keyClick(window.get(), Qt::Key_Left, Qt::AltModifier);
        QTest::keyClick(window.get(), Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(status->text(), QStringLiteral("Difference 3 of 3 \u00b7 1 unresolved"));
        QTest::keyClick(window.get(), Qt::Key_Right, Qt::AltModifier);
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(testing::readFile(out), std::string("1\nx\n2\nY\r\ny\n3\nZ\r\n4\n"));
        QCOMPARE(window->statusBar()->currentMessage(), QString::fromStdString("Saved to " + out));

        // At the end a new choice is asked about: Cancel keeps the window, Save writes it.
        QTest::keyClick(window.get(), Qt::Key_Left, Qt::AltModifier);
        window->runCommand(cmd::kToggleStatusBar);
        QVERIFY(!window->statusBar()->isVisible());
        window->resize(500, 333);
        h.dialogs.answers = {clickStandard(QMessageBox::Cancel), clickStandard(QMessageBox::Save),
                             clickStandard(QMessageBox::Yes)};
        QSignalSpy finished(window.get(), &MainWindow::finished);
        QTest::keyClick(window.get(), Qt::Key_F4, Qt::AltModifier);
        QVERIFY(window->isVisible());
        QTest::keyClick(window.get(), Qt::Key_F4, Qt::AltModifier);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(testing::readFile(out), std::string("1\nx\n2\nY\r\ny\n3\nz\n4\n"));
        QVERIFY(h.iniHas("Status bar=0\n"));
        QVERIFY(h.iniHas("Height=333\n"));
        // Commands that arrive after the end do nothing.
        QVERIFY(ran(*window, [&] { window->runCommand(cmd::kCompareFiles); }).empty());
    }

    void aStoppedLoadLeavesTheComparisonBeforeItAndClosingStopsAJob() {
        WindowHarness h;
        h.threaded = true;
        auto window = h.open();
        GatedFiles gate;
        Application& app = window->application();
        app.model.files = &gate;
        const std::string a = h.folder.write("a.txt", "one\ntwo\n");
        dropFile(*window, a, 1);
        QTRY_VERIFY(!window->busy());
        dropFile(*window, h.folder.write("b.txt", "one\n2\n"), 2);
        QTRY_VERIFY(!window->busy());
        QCOMPARE(app.model.side(1).segmentCount(), 1);

        gate.open(false);
        dropFile(*window, h.folder.write("c.txt", "other\n"), 1);
        QVERIFY(window->busy());
        QTRY_VERIFY(window->progressPanel()->isVisible());
        QVERIFY(window->progressPanel()->text().startsWith(QStringLiteral("Reading file 1")));
        QVERIFY(!window->grab().isNull());
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(judgingMark(app.model, 0, 1), Choice::None);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        gate.open(true);
        QTRY_VERIFY(!window->busy());
        QVERIFY(!window->progressPanel()->isVisible());
        QCOMPARE(app.model.side(1).fileName, a);
        QCOMPARE(app.model.side(1).segmentCount(), 1);
        QVERIFY(h.dialogs.shown.empty());

        gate.open(false);
        dropFile(*window, h.folder.file("c.txt"), 2);
        QVERIFY(window->busy());
        std::thread opener([&gate] { gate.open(true); });
        window->close();
        opener.join();
        QVERIFY(!window->isVisible());
        QVERIFY(!window->busy());
        QCOMPARE(app.model.side(2).fileName, h.folder.file("b.txt"));
    }

    void everyKeyAMenuShowsRunsItsItem() {
        WindowHarness h;
        auto window = h.open();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tandel v4.5"));
        QCOMPARE(sharedAccessKeys(window->quickMenu()), QStringLiteral("lr"));
        for (const QAction* top : window->menuBar()->actions()) {
            QCOMPARE(sharedAccessKeys(top->menu()), QString());
        }
        QVERIFY(pressShownKeys(*window, window->menuBar()->actions()) >= 25);
        QVERIFY(pressShownKeys(*window, window->quickMenu()->actions()) > 0);
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY(press(*window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier).empty());
        QVERIFY(press(*window, Qt::Key_D, Qt::AltModifier).empty());
    }

    void messagesAndQuestionsShowTheirCaptionAndReturnTheButtonPressed() {
        WindowHarness h;
        auto window = h.open();
        window->frame().message(Severity::Warning, "Careful");
        QCOMPARE(h.dialogs.shown.back().title, QStringLiteral("Warning"));
        QCOMPARE(h.dialogs.shown.back().text, QStringLiteral("Careful"));
        QCOMPARE(h.dialogs.shown.back().icon, QMessageBox::Warning);

        const Question copy{QuestionKind::PresentOnly, "x", "Copy it?"};
        h.dialogs.answers = {clickButton(QStringLiteral("130")), pressKey(Qt::Key_Escape)};
        QCOMPARE(window->frame().askPermission(copy), Answer::YesToAll);
        QCOMPARE(window->frame().askPermission(copy), Answer::Cancel);
        QCOMPARE(h.dialogs.shown.back().text, QStringLiteral("Copy it?"));

        window->showHelp(260); // no help pages: says where they belong
        QVERIFY(h.opened.empty());
        QVERIFY(h.dialogs.texts().back().contains(QStringLiteral("share/doc/tandel")));

        // The file-or-directory question: "&File" is checked at first.
        h.dialogs.answers.push_back(pressKey(Qt::Key_Return));
        QCOMPARE(window->frame().askFileOrDirectory("/a/x", "/b/x"), Answer::File);
        QVERIFY(h.dialogs.shown.back().text.startsWith(QStringLiteral("File /a/x corresponds")));
    }

    void theOpenDialogStartsWhereTheSideLastOpenedAFileAndSaveWritesTheChosenOne() {
        WindowHarness h;
        const std::string sub = h.folder.mkdir("sources");
        const std::string chosen = h.folder.write("sources/main.c", "int x;\n");
        h.folder.write("tandel.ini", "[Options]\nUnix format=1\n[Files]\nDir name 1=" + sub +
                                         "/\nCurrent index 1=1\n"
                                         "[File Descriptions]\nNumEntries=1\nString 0=C files\n"
                                         "[File filters]\nNumEntries=1\nString 0=*.c;*.h\n");
        auto window = h.open();
        QStringList seen; // the folder, the filters and the one selected
        h.dialogs.answers.push_back([&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            seen << files.directory().absolutePath() << files.nameFilters()
                 << files.selectedNameFilter();
            return chooseFile(chosen)(dialog);
        });
        QTest::keyClick(window.get(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown.back().title, QStringLiteral("Open file 1"));
        QCOMPARE(seen, (QStringList{QString::fromStdString(sub), "All files(*)",
                                    "C files (*.c *.h)", "C files (*.c *.h)"}));
        const Application& app = window->application();
        QCOMPARE(app.model.side(1).fileName, chosen);
        h.dialogs.answers.push_back(chooseFile(h.folder.write("two.c", "int x;\nint y;\n")));
        QTest::keyClick(window.get(), Qt::Key_F2, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents();
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
        const std::string out = h.folder.file("merged.txt");
        h.dialogs.answers.push_back(chooseFile(out));
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(testing::readFile(out), std::string("int x;\nint y;\n"));
    }

    void optionsFlagsFontsAndHelpReachTheWindow() {
        WindowHarness h;
        h.helpPage = h.folder.write(
            "help/index.html",
            "<html><head><title>Tandel Help</title></head><body><h1>Contents</h1>"
            "<p><a href=\"second.html\">Second</a></p><p id=\"context-273\">Options</p>"
            "</body></html>");
        h.folder.write("help/second.html", "<html><head><title>More</title></head></html>");
        auto window = h.open();
        h.dialogs.answers.push_back(test::answer([](QDialog& sheet) {
            for (QAbstractButton* button : sheet.findChildren<QAbstractButton*>()) {
                if (button->text() == QStringLiteral("Table Comparison Mode") ||
                    button->text() == QStringLiteral("Help")) {
                    button->click();
                }
            }
            QTest::keyClick(&sheet, Qt::Key_Return); // OK
        }));
        QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier); // Options, General
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_G);
        QCOMPARE(h.dialogs.shown.back().title, QStringLiteral("Tandel options"));
        QCOMPARE(h.opened.size(), std::size_t{1});
        QCOMPARE(h.opened[0].fragment(), QStringLiteral("context-273"));
        const Application& app = window->application();
        QCOMPARE(app.compare.tableMode, 1);
        for (const QAction* action : window->toolbar()->actions()) {
            QVERIFY(action->isSeparator() ||
                    (!action->toolTip().isEmpty() && !action->icon().isNull()));
            QCOMPARE(action->isChecked(), action->objectName().toInt() == cmd::kToggleTableMode);
        }
        QVERIFY(!clickTool(*window, cmd::kToggleTableMode));
        QVERIFY(clickTool(*window, cmd::kToggleIgnoreComments));
        QCOMPARE(app.compare.tableMode, 0);

        window->frame().openPreview();
        QFont big = window->titleFont();
        big.setPixelSize(40);
        h.dialogs.answers.push_back(pickFont(big));
        window->runCommand(cmd::kTitleFont);
        const SettingsRecord& record = app.settings.record;
        QCOMPARE(window->container()->title(1)->height(), record.titleHeight);
        QCOMPARE(window->container()->pane(1)->y(), record.titleHeight);
        big = window->textFont();
        big.setPixelSize(32); // 24 points: the dialog works in whole points
        h.dialogs.answers.push_back(pickFont(big));
        window->runCommand(cmd::kTextFont);
        QCOMPARE(window->frame().preview()->font().pixelSize(), 32);
        QCOMPARE(window->container()->pane(2)->font().pixelSize(), 32);

        // Without a browser: the own viewer, where a click follows a link.
        h.browserWorks = false;
        QTest::keyClick(window.get(), Qt::Key_F1);
        HelpViewer* viewer = window->helpViewer();
        QVERIFY(viewer != nullptr);
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QTextBrowser* text = viewer->browser();
        QTextCursor link = text->document()->find(QStringLiteral("Second"));
        link.setPosition(link.selectionStart() + 2);
        QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(link).center());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("More"));
        window->showHelp(273);
        QCOMPARE(window->helpViewer(), viewer);
        QCOMPARE(text->source().fragment(), QStringLiteral("context-273"));
        window->close();
        QVERIFY(h.iniHas("Title Point size=-40"));
    }
};

TANDEL_UI_TEST(MainWindowTest)
#include "main_window_test.moc"
