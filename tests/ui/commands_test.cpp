// The menus, accelerator keys and toolbars of both run modes, checked as the
// user meets them: the built menus and buttons, and real key presses.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

#include "app/command_tables.h"
#include "merge/command_ids.h"
#include "window_harness.h"

using tandel::MainWindow;
using tandel::test::WindowHarness;

namespace {

// A menu as lines: "id label<TAB>shortcut", "-" for a separator, ">title"
// for a sub-menu followed by its lines indented.
QStringList render(const QMenu* menu, const QString& indent = {}) {
    QStringList lines;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines << indent + QStringLiteral("-");
        } else if (action->menu() != nullptr) {
            lines << indent + QStringLiteral(">") + action->text();
            lines << render(action->menu(), indent + QStringLiteral("  "));
        } else {
            lines << indent + action->objectName() + QLatin1Char(' ') + action->text();
        }
    }
    return lines;
}

QStringList renderBar(const QMenuBar* bar) {
    QStringList lines;
    for (const QAction* top : bar->actions()) {
        lines << QStringLiteral(">") + top->text();
        lines << render(top->menu(), QStringLiteral("  "));
    }
    return lines;
}

QStringList renderToolbar(const QToolBar* toolbar) {
    QStringList lines;
    for (const QAction* action : toolbar->actions()) {
        if (action->isSeparator()) {
            lines << QStringLiteral("-");
            continue;
        }
        QString line = action->objectName() + QLatin1Char(' ') + action->toolTip();
        if (action->isCheckable()) {
            line += action->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
        }
        if (action->icon().isNull()) {
            line += QStringLiteral(" (no image)");
        }
        lines << line;
    }
    return lines;
}

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int command;
};

constexpr auto C = Qt::ControlModifier;
constexpr auto A = Qt::AltModifier;
constexpr auto N = Qt::NoModifier;

// Every key of the file mode table but Alt+F4, which ends the run.
const std::vector<Key> kFileKeys = {
    {Qt::Key_A, C, 9075},        {Qt::Key_C, C, 9072},        {Qt::Key_C, A, 313},
    {Qt::Key_D, C, 305},         {Qt::Key_F, C, 317},         {Qt::Key_F, A, 310},
    {Qt::Key_L, C, 9073},        {Qt::Key_L, A, 311},         {Qt::Key_M, C, 9071},
    {Qt::Key_O, C, 314},         {Qt::Key_R, C, 9074},        {Qt::Key_S, C, 306},
    {Qt::Key_S, A, 312},         {Qt::Key_V, C, 9070},        {Qt::Key_Down, C, 2},
    {Qt::Key_Down, A, 6},        {Qt::Key_F1, N, 15},         {Qt::Key_F1, C, 303},
    {Qt::Key_F2, C, 304},        {Qt::Key_F3, N, 316},        {Qt::Key_Left, C, 8},
    {Qt::Key_PageDown, C, 302},  {Qt::Key_PageUp, C, 301},    {Qt::Key_PageUp, A, 310},
    {Qt::Key_Right, C, 9},       {Qt::Key_Up, C, 3},          {Qt::Key_Up, A, 7},
    {Qt::Key_W, C, 306},
};

const std::vector<Key> kDirectoryKeys = {
    {Qt::Key_D, C, 40001}, {Qt::Key_F, C, 317}, {Qt::Key_Down, A, 6},
    {Qt::Key_F3, N, 316},  {Qt::Key_Up, A, 7},   {Qt::Key_F5, N, 41000},
};

// Presses each key and returns the commands each one ran.
std::vector<std::vector<int>> press(MainWindow& window, const std::vector<Key>& keys) {
    QSignalSpy received(&window, &MainWindow::commandReceived);
    std::vector<std::vector<int>> ran;
    for (const Key& k : keys) {
        received.clear();
        QTest::keyClick(&window, k.key, k.modifiers);
        std::vector<int> ids;
        for (const QList<QVariant>& call : received) {
            ids.push_back(call.at(0).toInt());
        }
        ran.push_back(ids);
    }
    return ran;
}

std::vector<std::vector<int>> expected(const std::vector<Key>& keys) {
    std::vector<std::vector<int>> out;
    for (const Key& k : keys) {
        out.push_back({k.command});
    }
    return out;
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void theMenuBarOfFileMode() {
        WindowHarness h;
        auto window = h.open();
        const QStringList expectedBar = {
            ">&File",
            "  303 File &1\tCtrl+F1",
            "  304 File &2\tCtrl+F2",
            "  -",
            "  314 Compare &Dirs...\tCtrl+O",
            "  305 Compare &Files\tCtrl+D",
            "  -",
            "  17 &Print ",
            "  -",
            "  306 &Save As...\tCtrl+S",
            "  9073 Save as &Left\tCtrl+L",
            "  9074 Save as &Right\tCtrl+R",
            "  -",
            "  307 &Quit\tAlt+F4",
            ">&Edit",
            "  9071 Preview &results\tCtrl+M",
            "  -",
            "  9072 &Copy\tCtrl+C",
            "  9070 &Paste\tCtrl+V",
            ">&Search",
            "  6 &Next Segment\tAlt+Down",
            "  7 &Previous Segment\tAlt+Up",
            "  2 Ne&xt Unresolved\tCtrl+Down",
            "  3 Pre&v Unresolved\tCtrl+Up",
            "  310 F&irst Segment\tAlt+PgUp",
            "  311 L&ast Segment\tAlt+L", // the key that runs it, not Alt+PgUp
            "  -",
            "  301 &First Line\tCtrl+PgUp",
            "  302 &Last Line\tCtrl+PgDn",
            "  -",
            "  317 Find...\tCtrl+F",
            "  316 Find Next\tF3",
            ">S&elect",
            "  8 Select From &Left\tCtrl+Left",
            "  9 Select From &Right\tCtrl+Right",
            "  9075 Select &All Segments\tCtrl+A",
            "  10 &Unselect All Segments",
            "  -",
            "  42001 &Take Left, Go to Next\tAlt+Left",
            "  42002 Take Ri&ght, Go to Next\tAlt+Right",
            "  42003 Take &Both, Left First\tAlt+Shift+Left",
            "  42004 Take B&oth, Right First\tAlt+Shift+Right",
            ">&Options",
            "  1 &General ...",
            "  21 &Directory Merging ...",
            "  19 File &Types ...",
            "  42010 &Status Bar",
            "  >&Fonts",
            "    13 &Text...",
            "    11 T&itle ...",
            ">&Help",
            "  15 &Contents",
            "  309 &About",
        };
        QCOMPARE(renderBar(window->menuBar()), expectedBar);
    }

    void theContextMenusAndTheWalksFileMenu() {
        WindowHarness h;
        auto window = h.open();
        const QStringList quick = {
            "6 &Next Segment\tAlt+Down",    "7 &Previous Segment\tAlt+Up",
            "2 Ne&xt Unresolved\tCtrl+Down", "3 Pre&v Unresolved\tCtrl+Up",
            "301 &First Line\tCtrl-PgUp",    "302 &Last Line\tCtrl-PgDn",
            "-",                             "8 Select From &Left\tCtrl+Left",
            "9 Select From &Right\tCtrl+Right", "9075 Select &All Segments\tCtrl+A",
            "10 &Unselect All Segments",     "-",
            "42001 &Take Left, Go to Next\tAlt+Left",
            "42002 Take Ri&ght, Go to Next\tAlt+Right",
            "42003 Take &Both, Left First\tAlt+Shift+Left",
            "42004 Take B&oth, Right First\tAlt+Shift+Right",
            "-",
            "40003 Split segment",           "-",
            "306 &Save As...\tCtrl-S",       "9073 Save as &Left\tCtrl+L",
            "9074 Save as &Right\tCtrl+R",
        };
        QCOMPARE(render(window->quickMenu()), quick);

        window->setWalkMenu(true);
        const QAction* first = window->menuBar()->actions().front();
        QCOMPARE(first->text(), QStringLiteral("File"));
        const QStringList walk = {
            "312 S&kip\tAlt+S", "313 &Cancel\tAlt+C",          "-",
            "17 &Print",        "-",                           "306 &Save ...\tCtrl+S",
            "9073 Save as &Left\tCtrl+L", "9074 Save as &Right\tCtrl+R", "-",
            "307 &Exit\tAlt-F4",
        };
        QCOMPARE(render(first->menu()), walk);
        QCOMPARE(window->menuBar()->actions().size(), 6);
        window->setWalkMenu(false);
        QCOMPARE(window->menuBar()->actions().front()->text(), QStringLiteral("&File"));
        QCOMPARE(window->menuBar()->actions().size(), 6);

        WindowHarness d;
        auto directory = d.open({"-mandc"});
        const QStringList mandc = {
            "6 &Next\tAlt+Down", "7 &Previous\tAlt+Up", "-", "40001 &Copy to Destination\tCtrl+D",
            "-",                 "17 P&rint",          "-", "41001 Include &Subdirectories",
            "41000 R&escan\tF5",
        };
        QCOMPARE(render(directory->quickMenu()), mandc);
    }

    void everyKeyReachesItsCommandInFileMode() {
        WindowHarness h;
        auto window = h.open();
        QCOMPARE(press(*window, kFileKeys), expected(kFileKeys));
        // The menu bar's mnemonics never take a key of the table.
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        // A key that is not in the table, or with another modifier, runs nothing.
        QCOMPARE(press(*window, {{Qt::Key_A, C | Qt::ShiftModifier, 0}, {Qt::Key_D, A, 0}}),
                 (std::vector<std::vector<int>>{{}, {}}));
    }

    void everyKeyReachesItsCommandInDirectoryWindowMode() {
        WindowHarness h;
        auto window = h.open({"-mandc"});
        QCoreApplication::sendPostedEvents();
        QCOMPARE(press(*window, kDirectoryKeys), expected(kDirectoryKeys));
        QCOMPARE(press(*window, {{Qt::Key_A, C, 0}, {Qt::Key_L, A, 0}}),
                 (std::vector<std::vector<int>>{{}, {}}));
    }

    void toolbarsShowTheirTooltipsAndTheFlags() {
        WindowHarness h;
        h.folder.write("tandel.ini", "[Options]\nDiffs Only=1\n");
        auto window = h.open();
        const QStringList file = {
            "-",
            "303 Load file 1",
            "304 Load file 2",
            "-",
            "305 Compare files",
            "-",
            "306 Save results",
            "9071 Preview results",
            "17 Print results",
            "-",
            "6 Jump to next",
            "7 Jump to previous",
            "2 Next unresolved",
            "3 Previous unresolved",
            "317 Find text",
            "316 Repeat last text search",
            "-",
            "24 Table comparison mode [ ]",
            "25 Show differences only [x]",
            "26 Ignore comments mode [ ]",
        };
        QCOMPARE(renderToolbar(window->toolbar()), file);

        WindowHarness d;
        d.folder.write("tandel.ini", "[Options]\nDirectory Diffs Only=1\n");
        auto directory = d.open({"-mandc"});
        const QStringList mandc = {
            "-",
            "40001 Copy to Destination directory",
            "-",
            "17 Print results",
            "-",
            "317 Find text",
            "316 Repeat last text search",
            "6 Jump to next",
            "7 Jump to previous",
            "-",
            "25 Show differences only [x]",
            "41001 Include subdirectories [ ]",
            "41000 Rescan the directories",
            "-",
            "15 Help",
        };
        QCOMPARE(renderToolbar(directory->toolbar()), mandc);
    }

    void aCheckButtonFlipsOnlyItsOwnFlag() {
        WindowHarness h;
        auto window = h.open();
        const tandel::Application& app = window->application();
        QToolBar* toolbar = window->toolbar();
        const auto click = [&](const char* id) {
            QAction* action = toolbar->findChild<QAction*>(QLatin1String(id));
            QTest::mouseClick(toolbar->widgetForAction(action), Qt::LeftButton);
            return action->isChecked();
        };
        QVERIFY(click("24"));
        QCOMPARE(app.compare.tableMode, 1);
        QCOMPARE(app.settings.record.diffsOnly, 0);
        QCOMPARE(app.compare.ignoreComments, 0);
        QVERIFY(click("26"));
        QVERIFY(!click("24"));
        QCOMPARE(app.compare.tableMode, 0);
        QCOMPARE(app.compare.ignoreComments, 1);

        // In the directory window 25 is "Directory Diffs Only".
        WindowHarness d;
        auto directory = d.open({"-mandc"});
        QToolBar* dirToolbar = directory->toolbar();
        QAction* diffsOnly = dirToolbar->findChild<QAction*>(QStringLiteral("25"));
        QTest::mouseClick(dirToolbar->widgetForAction(diffsOnly), Qt::LeftButton);
        QVERIFY(diffsOnly->isChecked());
        QCOMPARE(directory->application().settings.record.directoryDiffsOnly, 1);
        QCOMPARE(directory->application().settings.record.diffsOnly, 0);
        window->close();
        directory->close();
        QVERIFY(tandel::testing::readFile(d.ini()).find("Directory Diffs Only=1") !=
                std::string::npos);
    }

    void shortcutTextsReadBothSeparators() {
        using namespace tandel::ui;
        QCOMPARE(parseChord("Ctrl-PgUp"), (std::optional<KeyChord>{{kModCtrl, kKeyPageUp}}));
        QCOMPARE(parseChord("Alt+F4"), (std::optional<KeyChord>{{kModAlt, kKeyF4}}));
        QCOMPARE(parseChord("ctrl+a"), (std::optional<KeyChord>{{kModCtrl, 'A'}}));
        QCOMPARE(parseChord("Hyper+A"), std::nullopt);
        QCOMPARE(parseChord("Ctrl+"), std::nullopt);
        QCOMPARE(formatChord({kModCtrl | kModShift, kKeyPageDown}), std::string("Ctrl+Shift+PgDn"));
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
