// Ctrl+C as the user meets it: the pane selection (which the panes keep in
// the frame state) or the preview's selection, read back from the clipboard;
// and the primary selection a Shift+drag sets.
#include <QClipboard>
#include <QTextCursor>
#include <QtTest>

#include "ui_test_main.h"
#include "pane_harness.h"
#include "view/preview_edit.h"
#include "window_harness.h"

using tandel::MainWindow;
using tandel::TextSelection;
using tandel::test::PaneHarness;
using tandel::test::WindowHarness;

namespace {

QString copied(MainWindow& window, const TextSelection& selection) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    window.application().frameState.selection = selection;
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->text();
}

} // namespace

class CopyTest : public QObject {
    Q_OBJECT
private slots:
    void aPaneSelectionIsCopiedByRowsAndColumns() {
        WindowHarness h;
        // File 2 has one line more after line 3: file 1's pane shows a
        // filler row there (row 3). File 1's last line is Latin-1.
        const std::string one = "line 1\nline 2\nline three\nline 4\nline five\nna\xEFve\n";
        const std::string two = "line 1\nline 2\nline three\ninserted\nline 4\nline five\nna\xEFve\n";
        auto window = h.open({h.folder.write("one.txt", one), h.folder.write("two.txt", two)});
        QCoreApplication::sendPostedEvents();
        MainWindow& w = *window;

        // From the middle of line 3 to the middle of line 5, and to its end.
        QCOMPARE(copied(w, {2, {2, 5, 0}, {4, 4, 0}, false}), QStringLiteral("three\ninserted\nline"));
        QCOMPARE(copied(w, {2, {4, 4, 0}, {2, 5, 0}, false}), QStringLiteral("three\ninserted\nline"));
        QCOMPARE(copied(w, {2, {2, 5, 0}, {4, 6, 0}, false}),
                 QStringLiteral("three\ninserted\nline 4\n"));
        // Across the filler row only the file lines around it.
        QCOMPARE(copied(w, {1, {2, 5, 0}, {5, 4, 0}, false}), QStringLiteral("three\nline 4\nline"));
        // Decoded as it was shown.
        QCOMPARE(copied(w, {1, {6, 0, 0}, {6, 5, 0}, false}), QStringLiteral("na\u00EFve\n"));
        // Nothing selected, or only a filler row: the clipboard keeps its text.
        QCOMPARE(copied(w, {}), QStringLiteral("before"));
        QCOMPARE(copied(w, {1, {3, 0, 0}, {3, 9, 0}, false}), QStringLiteral("before"));
    }

    void aDraggedSelectionCopiesTheFilesOwnCharacters() {
        PaneHarness p;
        // A tab and a control byte in a UTF-8 line, then Windows-1252 quotes
        // in a line that is not UTF-8.
        const std::string text = "a\tb\x01" "c\n\x93quoted\x94\nend\n";
        p.open(text, text);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        QTest::mousePress(p.pane(1), Qt::LeftButton, Qt::ShiftModifier, p.rowPoint(0, 1));
        QTest::mouseMove(p.pane(1), p.rowPoint(2, 1));
        QTest::mouseRelease(p.pane(1), Qt::LeftButton, Qt::ShiftModifier, p.rowPoint(2, 1));

        const QString expected =
            QString::fromUtf8("a\tb\x01" "c\n\xE2\x80\x9Cquoted\xE2\x80\x9D\n");
        // A selection alone leaves the clipboard to Copy.
        QCOMPARE(clipboard->text(), QStringLiteral("before"));
        if (clipboard->supportsSelection()) {
            QCOMPARE(clipboard->text(QClipboard::Selection), expected);
        }
        p.key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), expected);
    }

    void thePreviewSelectionIsCopiedWhenNoPaneHoldsOne() {
        WindowHarness h;
        auto window = h.open();
        window->openPreview();
        window->setPreviewText("first\nna\xEFve line\n");
        tandel::PreviewEdit* preview = window->preview();
        preview->setFocus();
        QCOMPARE(copied(*window, {}), QStringLiteral("before")); // nothing selected yet
        QTextCursor cursor = preview->textCursor();
        cursor.setPosition(2);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        preview->setTextCursor(cursor);
        QCOMPARE(copied(*window, {}), QStringLiteral("rst\nna\u00EFve"));
        preview->selectAll();
        QCOMPARE(copied(*window, {}), QStringLiteral("first\nna\u00EFve line\n"));
    }
};

TANDEL_UI_TEST(CopyTest)
#include "copy_test.moc"
