// The modeless Find dialog and where a search goes; the preview, its splitter,
// paste, copy and every byte of the result.
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

#include "app/frame_body.h"
#include "dialogs/find_dialog.h"
#include "ui_test_main.h"
#include "view/edit_cont.h"
#include "view/preview_edit.h"
#include "window_harness.h"

using namespace tandel;
using test::WindowHarness;

namespace {

// Needles on rows 2 and 4; the extra first line of file 2 keeps the pair different.
const std::string kLines = "alpha\nNeedle one\nbeta\nneedle two\ngamma\n";
const std::string kMore = "delta\n" + kLines;

FindDialog* openFind(MainWindow& window) {
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    return window.frame().findDialog();
}

void type(FindDialog& dialog, const QString& text) {
    test::type(test::control<QLineEdit>(dialog, "findWhat"), text);
}

void click(FindDialog& dialog, const char* button) {
    test::press(test::control(dialog, button));
}

// Every byte value, invalid sequences, both line ends, characters a document breaks at.
std::string awkwardBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    bytes += "\nplain\r\nlone\rcr\n\xC0\xAF overlong \xED\xA0\x80 surrogate \xF4\x90\x80\x80 big\n";
    bytes += "\xE2\x80\xA9 para \xE2\x80\xA8 line \xEF\xBF\xBC obj \xEF\xB7\x90 frame\n";
    bytes += "\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80 tab\there\n\xE2\x82"; // cut at the end
    return bytes;
}

} // namespace

class EditingTest : public QObject {
    Q_OBJECT
private slots:
    // Hits go to the top of the panes, or into the preview when it has the focus.
    void findSearchesThePanesOrThePreviewWithTheFocus() {
        WindowHarness h;
        auto window = h.compare(kLines, kMore);
        const SettingsRecord& record = window->application().settings.record;
        FindDialog* dialog = openFind(*window);
        QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
        QVERIFY(dialog->text().isEmpty() && dialog->matchCase());
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("findNext"))->isEnabled());
        type(*dialog, QStringLiteral("eedle"));
        QTest::keyClick(dialog, Qt::Key_Return);
        QCOMPARE(record.topLine, 2);
        QTest::keyClick(window.get(), Qt::Key_F3);
        QCOMPARE(record.topLine, 4);
        QTest::keyClick(window.get(), Qt::Key_F3); // round to the first hit again
        QCOMPARE(record.topLine, 2);
        type(*dialog, QStringLiteral("absent"));
        click(*dialog, "findNext");
        QCOMPARE(h.dialogs.texts(), std::vector<QString>{"Search string was not found"});
        click(*dialog, "matchCase");
        type(*dialog, QStringLiteral("NEEDLE"));
        click(*dialog, "findNext"); // found only when case does not matter
        QCOMPARE(record.topLine, 4);

        // Bytes that are not UTF-8 before the hits: the selection still lands on them.
        window->frame().openPreview();
        window->frame().setPreviewText(
            "caf\xC3\xA9 \xFF needle\nx needle \xF0\x9F\x98\x80 needle\n");
        PreviewEdit* preview = window->frame().preview();
        preview->setFocus();
        click(*dialog, "findNext");
        QCOMPARE(preview->textCursor().selectedText(), QStringLiteral("needle"));
        QCOMPARE(preview->textCursor().selectionStart(), 7);
        click(*dialog, "findNext");
        QCOMPARE(preview->textCursor().selectionStart(), 16);
        QCOMPARE(record.topLine, 4); // the panes stayed
        // With the dialog closed, F3 searches where the focus is.
        click(*dialog, "cancel");
        QVERIFY(window->frame().findDialog() == nullptr);
        QApplication::setActiveWindow(window.get());
        preview->setFocus();
        QTest::keyClick(preview, Qt::Key_F3);
        QCOMPARE(preview->textCursor().selectionStart(), 26);
        QTest::keyClick(preview, Qt::Key_F3); // from the end round to the start
        QCOMPARE(preview->textCursor().selectionStart(), 7);
        window->container()->setFocus();
        QTest::keyClick(window.get(), Qt::Key_F3);
        QCOMPARE(record.topLine, 2);

        QVERIFY(!openFind(*window)->matchCase());
        QVERIFY(window->frame().findDialog()->text().isEmpty());
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier); // Compare Files
        QVERIFY(openFind(*window)->matchCase());
    }

    void previewShowsTheResultAndItsSplitterMoves() {
        WindowHarness h;
        auto window = h.compare("one\n\ttwo\n", "one\n2\n");
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);
        PreviewEdit* preview = window->frame().preview();
        QVERIFY(preview != nullptr);
        QCOMPARE(preview->toPlainText(), QStringLiteral("one\n2\n\ttwo\n"));
        QCOMPARE(preview->font(), window->textFont());

        auto* body = static_cast<FrameBody*>(window->centralWidget());
        const int height = body->height();
        const int opened = height / 3;
        QCOMPARE(preview->height(), opened);
        QCOMPARE(window->container()->height(), height - opened - 4);
        const auto drag = [body](int from, int to) {
            QTest::mousePress(body, Qt::LeftButton, {}, QPoint(50, from));
            QTest::mouseRelease(body, Qt::LeftButton, {}, QPoint(50, to));
        };
        drag(10, 10); // not on the strip: nothing moves
        QCOMPARE(preview->height(), opened);
        drag(height - opened - 2, height - opened - 52);
        QCOMPARE(preview->height(), opened + 52);
        QCOMPARE(preview->y() + preview->height(), height);
        drag(preview->y() - 2, height + 500); // far out: both parts stay usable
        QVERIFY(preview->height() >= 40 && window->container()->height() >= 40);

        h.dialogs.answers.push_back(test::clickStandard(QMessageBox::Discard));
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(window->frame().preview() == nullptr);
        QCOMPARE(window->container()->height(), height);
    }

    void thePreviewKeepsEveryByteAndTakesPasteUpToItsLimit() {
        WindowHarness h;
        auto window = h.open();
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(h.dialogs.texts(),
                 std::vector<QString>{"Unable to paste. You are not in Preview mode"});

        window->frame().openPreview();
        const std::string bytes = awkwardBytes();
        window->frame().setPreviewText(bytes);
        QCOMPARE(window->frame().previewText(), bytes);
        QVERIFY(!window->frame().previewModified());
        PreviewEdit* preview = window->frame().preview();
        preview->setFocus();
        preview->moveCursor(QTextCursor::End);
        QTest::sendKeyEvent(QTest::Click, preview, Qt::Key_Adiaeresis, QStringLiteral("\u00e4"),
                            Qt::NoModifier);
        QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(preview, Qt::Key_Return);
        QCOMPARE(window->frame().previewText(), bytes + "\xC3\xA4pasted\n");
        QVERIFY(window->frame().previewModified());
        QCOMPARE(h.dialogs.shown.size(), std::size_t{1});

        // Pasting stops at the limit, but the program's text is never cut.
        const std::string big(PreviewEdit::kCharacterLimit + 10, 'x');
        window->frame().setPreviewText(big);
        QCOMPARE(window->frame().previewText(), big);
        window->frame().setPreviewText(std::string(PreviewEdit::kCharacterLimit - 3, 'x'));
        QGuiApplication::clipboard()->setText(QStringLiteral("12345"));
        preview->moveCursor(QTextCursor::End);
        QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(window->frame().previewText().ends_with("x123"));
    }
};

TANDEL_UI_TEST(EditingTest)
#include "editing_test.moc"
