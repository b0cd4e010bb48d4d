// Find and Find Next as the user meets them: the modeless dialog, its
// refusal before a comparison, its match-case box, and where a search goes:
// the panes, or the preview when the preview had the focus.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

#include "ui_test_main.h"
#include "dialogs/find_dialog.h"
#include "view/edit_cont.h"
#include "view/preview_edit.h"
#include "window_harness.h"

using tandel::FindDialog;
using tandel::MainWindow;
using tandel::test::WindowHarness;

namespace {

const std::string kLines = "alpha\nNeedle one\nbeta\nneedle two\ngamma\n";
// One line more at the top, so that the pair is not reported identical and
// the first difference leaves the top line at row 0. The needles are then on
// rows 2 and 4.
const std::string kMore = "delta\n" + kLines;

std::unique_ptr<MainWindow> openCompared(WindowHarness& h, const std::string& one,
                                         const std::string& two) {
    auto window = h.open({h.folder.write("one.txt", one), h.folder.write("two.txt", two)});
    QCoreApplication::sendPostedEvents(); // the comparison the loads posted
    return window;
}

FindDialog* openFind(MainWindow& window) {
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    return window.findDialog();
}

void type(FindDialog& dialog, const QString& text) {
    QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("findWhat")), text);
}

// Near the left edge: a check box takes clicks on its box and label only,
// not in the empty width its layout gives it.
void click(FindDialog& dialog, const char* button) {
    auto* widget = dialog.findChild<QAbstractButton*>(QLatin1String(button));
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
}

} // namespace

class FindTest : public QObject {
    Q_OBJECT
private slots:
    void findIsRefusedBeforeAComparisonAndOpensEmptyAfterIt() {
        WindowHarness h;
        auto window = h.open();
        QVERIFY(openFind(*window) == nullptr);
        QCOMPARE(h.dialogs.texts(), std::vector<QString>{"Files have not been compared yet"});
        QCOMPARE(h.dialogs.shown[0].title, QStringLiteral("Info"));

        window = openCompared(h, kLines, kMore);
        FindDialog* dialog = openFind(*window);
        QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Find"));
        QVERIFY(dialog->text().isEmpty());
        QVERIFY(dialog->matchCase());
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("findNext"))->isEnabled());
        type(*dialog, QStringLiteral("beta"));
        click(*dialog, "cancel");
        QVERIFY(window->findDialog() == nullptr);
        QVERIFY(openFind(*window)->text().isEmpty());
    }

    void matchCaseIsTickedAgainAfterEveryComparison() {
        WindowHarness h;
        auto window = openCompared(h, kLines, kMore);
        FindDialog* dialog = openFind(*window);
        click(*dialog, "matchCase");
        type(*dialog, QStringLiteral("NEEDLE"));
        click(*dialog, "findNext"); // found only when case does not matter
        QCOMPARE(window->application().settings.record.topLine, 2);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!openFind(*window)->matchCase());
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier); // Compare Files
        QVERIFY(openFind(*window)->matchCase());
        QVERIFY(h.dialogs.shown.empty());
    }

    void findNextMovesTheHitToTheTopAndF3GoesOnAndWraps() {
        WindowHarness h;
        auto window = openCompared(h, kLines, kMore);
        const tandel::SettingsRecord& record = window->application().settings.record;
        FindDialog* dialog = openFind(*window);
        type(*dialog, QStringLiteral("eedle"));
        QTest::keyClick(dialog, Qt::Key_Return);
        QCOMPARE(record.topLine, 2);
        QTest::keyClick(window.get(), Qt::Key_F3);
        QCOMPARE(record.topLine, 4);
        QTest::keyClick(window.get(), Qt::Key_F3); // the top line itself is not searched
        QCOMPARE(record.topLine, 2);
        QVERIFY(h.dialogs.shown.empty());

        dialog->findChild<QLineEdit*>(QStringLiteral("findWhat"))->clear();
        type(*dialog, QStringLiteral("absent"));
        click(*dialog, "findNext");
        QCOMPARE(h.dialogs.texts(), std::vector<QString>{"Search string was not found"});
        QCOMPARE(record.topLine, 2);
    }

    void aSearchFromThePreviewSearchesThePreview() {
        WindowHarness h;
        auto window = openCompared(h, kLines, kMore);
        window->openPreview();
        // Bytes that are not UTF-8 and characters of several bytes before
        // the hits: the selection must still land on the text found.
        window->setPreviewText("caf\xC3\xA9 \xFF needle\nx needle \xF0\x9F\x98\x80 needle\n");
        tandel::PreviewEdit* preview = window->preview();
        preview->setFocus();
        FindDialog* dialog = openFind(*window);
        type(*dialog, QStringLiteral("needle"));
        click(*dialog, "findNext");
        QCOMPARE(preview->textCursor().selectedText(), QStringLiteral("needle"));
        QCOMPARE(preview->textCursor().selectionStart(), 7);
        click(*dialog, "findNext");
        QCOMPARE(preview->textCursor().selectionStart(), 16);
        QCOMPARE(window->application().settings.record.topLine, 0); // the panes stayed

        // With the dialog closed, F3 searches where the focus is.
        QTest::keyClick(dialog, Qt::Key_Escape);
        QApplication::setActiveWindow(window.get());
        preview->setFocus();
        QTest::keyClick(preview, Qt::Key_F3);
        QCOMPARE(preview->textCursor().selectionStart(), 26);
        QTest::keyClick(preview, Qt::Key_F3); // from the end round to the start
        QCOMPARE(preview->textCursor().selectionStart(), 7);
        QVERIFY(h.dialogs.shown.empty());

        // Elsewhere it searches the panes, matching case as the box was left.
        window->container()->setFocus();
        QTest::keyClick(window.get(), Qt::Key_F3);
        QCOMPARE(window->application().settings.record.topLine, 4);
    }
};

TANDEL_UI_TEST(FindTest)
#include "find_test.moc"
