// The menus, accelerator keys and toolbars of both run modes, checked as the
// user meets them: every key a menu shows runs that item's command when
// pressed, access keys are never shared, and the toolbar buttons say what
// they do and show their flags.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

#include <set>

#include "ui_test_main.h"
#include "app/accelerators.h"
#include "app/command_tables.h"
#include "frame/command_ids.h"
#include "window_harness.h"

using tandel::MainWindow;
using tandel::test::WindowHarness;

namespace {

// Every command action of a menu and its sub-menus.
void collect(const QMenu* menu, std::vector<const QAction*>& into) {
    for (const QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            collect(action->menu(), into);
        } else if (!action->isSeparator()) {
            into.push_back(action);
        }
    }
}

std::vector<const QAction*> menuBarActions(const QMenuBar* bar) {
    std::vector<const QAction*> actions;
    for (const QAction* top : bar->actions()) {
        collect(top->menu(), actions);
    }
    return actions;
}

// The commands one key press ran.
std::vector<int> press(MainWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QSignalSpy received(&window, &MainWindow::commandReceived);
    QTest::keyClick(&window, key, modifiers);
    std::vector<int> ids;
    for (const QList<QVariant>& call : received) {
        ids.push_back(call.at(0).toInt());
    }
    return ids;
}

Qt::KeyboardModifiers qtModifiers(unsigned modifiers) {
    Qt::KeyboardModifiers out;
    out.setFlag(Qt::ControlModifier, (modifiers & tandel::ui::kModCtrl) != 0);
    out.setFlag(Qt::AltModifier, (modifiers & tandel::ui::kModAlt) != 0);
    out.setFlag(Qt::ShiftModifier, (modifiers & tandel::ui::kModShift) != 0);
    return out;
}

// Presses the key each action shows after its tab and checks that it runs
// exactly that action's command; returns how many keys were pressed.
int pressShownKeys(MainWindow& window, const std::vector<const QAction*>& actions) {
    int pressed = 0;
    for (const QAction* action : actions) {
        const QString text = action->text();
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab < 0 || action->objectName() == QStringLiteral("307")) {
            continue; // no key shown, or Quit, which ends the run
        }
        const auto chord = tandel::ui::parseChord(text.mid(tab + 1).toStdString());
        if (!chord) {
            qWarning("unreadable shortcut text: %s", qPrintable(text));
            return -1;
        }
        const std::vector<int> ran = press(
            window, static_cast<Qt::Key>(tandel::ui::qtKeyOf(chord->key)), qtModifiers(chord->modifiers));
        if (ran != std::vector<int>{action->objectName().toInt()}) {
            qWarning("%s ran %d commands, the first %d", qPrintable(text), int(ran.size()),
                     ran.empty() ? 0 : ran.front());
            return -1;
        }
        ++pressed;
    }
    return pressed;
}

// The access keys marked with "&" more than once in one menu (and in each of
// its sub-menus), in order: a key used twice only moves between its items.
QString sharedAccessKeys(const QMenu* menu) {
    std::set<QChar> seen;
    std::set<QChar> shared;
    QString inSubMenus;
    for (const QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            inSubMenus += sharedAccessKeys(action->menu());
        }
        const QString text = action->text().section(QLatin1Char('\t'), 0, 0);
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size() && !seen.insert(text[amp + 1].toLower()).second) {
            shared.insert(text[amp + 1].toLower());
        }
    }
    QString keys;
    for (const QChar c : shared) {
        keys += c;
    }
    return keys + inSubMenus;
}

// Every button tells what it does and shows an image; a flag button is checked
// exactly when its flag is on.
bool buttonsAreComplete(const QToolBar* toolbar, const std::set<QString>& checked) {
    for (const QAction* action : toolbar->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        if (action->toolTip().isEmpty() || action->icon().isNull() ||
            action->isChecked() != (checked.count(action->objectName()) == 1)) {
            qWarning("button %s: \"%s\"", qPrintable(action->objectName()),
                     qPrintable(action->toolTip()));
            return false;
        }
    }
    return true;
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void everyKeyAMenuShowsRunsItsItemInFileMode() {
        WindowHarness h;
        auto window = h.open();
        // The quick menu's own texts share L (Last Line, Select From Left,
        // Save as Left) and R; the keys added beside them share nothing.
        QCOMPARE(sharedAccessKeys(window->quickMenu()), QStringLiteral("lr"));
        for (const QAction* top : window->menuBar()->actions()) {
            QCOMPARE(sharedAccessKeys(top->menu()), QString());
        }
        std::vector<const QAction*> actions = menuBarActions(window->menuBar());
        const int fromBar = pressShownKeys(*window, actions);
        QVERIFY(fromBar >= 25);
        actions.clear();
        collect(window->quickMenu(), actions);
        QVERIFY(pressShownKeys(*window, actions) > 0);
        // The menu bar's mnemonics never take a key of the table.
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        // A key that is not in the table, or with another modifier, runs nothing.
        QVERIFY(press(*window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier).empty());
        QVERIFY(press(*window, Qt::Key_D, Qt::AltModifier).empty());
    }

    void theWalkHasAMenuOfItsOwn() {
        WindowHarness h;
        auto window = h.open();
        window->setWalkMenu(true);
        const QAction* first = window->menuBar()->actions().front();
        QCOMPARE(first->text(), QStringLiteral("File"));
        QCOMPARE(sharedAccessKeys(first->menu()), QString());
        QCOMPARE(window->menuBar()->actions().size(), 6);
        window->setWalkMenu(false);
        QCOMPARE(window->menuBar()->actions().front()->text(), QStringLiteral("&File"));
        QCOMPARE(window->menuBar()->actions().size(), 6);
    }

    void everyKeyOfTheDirectoryWindowRunsItsCommand() {
        WindowHarness h;
        auto window = h.open({"-mandc"});
        QCoreApplication::sendPostedEvents();
        QCOMPARE(sharedAccessKeys(window->quickMenu()), QString());
        std::vector<const QAction*> actions;
        collect(window->quickMenu(), actions);
        QVERIFY(pressShownKeys(*window, actions) >= 4);
        // Find and Find Next have keys but no menu here.
        QCOMPARE(press(*window, Qt::Key_F, Qt::ControlModifier), std::vector<int>{317});
        QCOMPARE(press(*window, Qt::Key_F3, Qt::NoModifier), std::vector<int>{316});
        // Keys of file mode only run nothing here.
        QVERIFY(press(*window, Qt::Key_A, Qt::ControlModifier).empty());
        QVERIFY(press(*window, Qt::Key_L, Qt::AltModifier).empty());
    }

    void toolbarsShowTheirTooltipsAndTheFlags() {
        WindowHarness h;
        h.folder.write("tandel.ini", "[Options]\nDiffs Only=1\n");
        auto window = h.open();
        QVERIFY(buttonsAreComplete(window->toolbar(), {QStringLiteral("25")}));

        WindowHarness d;
        d.folder.write("tandel.ini", "[Options]\nDirectory Diffs Only=1\n");
        auto directory = d.open({"-mandc"});
        QVERIFY(buttonsAreComplete(directory->toolbar(), {QStringLiteral("25")}));
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

TANDEL_UI_TEST(CommandsTest)
#include "commands_test.moc"
