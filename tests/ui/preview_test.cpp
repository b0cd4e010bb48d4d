// The preview: opened by Preview results, sized by its splitter, pasted into,
// limited for typing, and holding every byte of the result exactly.
#include <QClipboard>
#include <QTextCursor>
#include <QtTest>

#include "ui_test_main.h"
#include "app/frame_body.h"
#include "view/edit_cont.h"
#include "view/preview_edit.h"
#include "window_harness.h"

using tandel::PreviewEdit;
using tandel::test::WindowHarness;

namespace {

// Every byte value, invalid and overlong sequences, line ends of both kinds,
// and the characters a text document turns into breaks.
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

class PreviewTest : public QObject {
    Q_OBJECT
private slots:
    void previewShowsTheResultAndItsSplitterMoves() {
        WindowHarness h;
        const std::string a = h.folder.write("a.txt", "one\n\ttwo\n");
        const std::string b = h.folder.write("b.txt", "one\n2\n");
        auto window = h.open({a, b});
        QCoreApplication::sendPostedEvents();
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);
        PreviewEdit* preview = window->preview();
        QVERIFY(preview != nullptr);
        QCOMPARE(preview->toPlainText(), QStringLiteral("one\n2\n\ttwo\n"));
        QCOMPARE(preview->font(), window->textFont());
        const tandel::SettingsRecord& record = window->application().settings.record;
        QCOMPARE(preview->tabStopDistance(), qreal(record.tabSize * record.charWidth));

        auto* body = static_cast<tandel::FrameBody*>(window->centralWidget());
        const int height = body->height();
        const int opened = height / 3;
        QCOMPARE(preview->height(), opened);
        QCOMPARE(window->container()->height(), height - opened - 4);

        // A press elsewhere does nothing; one on the strip moves it on release.
        QTest::mousePress(body, Qt::LeftButton, {}, QPoint(50, 10));
        QTest::mouseRelease(body, Qt::LeftButton, {}, QPoint(50, 10));
        QCOMPARE(preview->height(), opened);
        const int strip = height - opened - 2;
        QTest::mousePress(body, Qt::LeftButton, {}, QPoint(50, strip));
        QTest::mouseRelease(body, Qt::LeftButton, {}, QPoint(50, strip - 50));
        QCOMPARE(preview->height(), opened + 52);
        QCOMPARE(preview->y() + preview->height(), height);
        // Dragged far out, both parts stay usable.
        QTest::mousePress(body, Qt::LeftButton, {}, QPoint(50, preview->y() - 2));
        QTest::mouseRelease(body, Qt::LeftButton, {}, QPoint(50, height + 500));
        QVERIFY(preview->height() >= 40);
        QVERIFY(window->container()->height() >= 40);

        // A new comparison asks first about the choices not saved, then
        // closes the preview.
        h.dialogs.answers.push_back(tandel::test::clickStandard(QMessageBox::Cancel));
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(window->preview() != nullptr);
        h.dialogs.answers.push_back(tandel::test::clickStandard(QMessageBox::Discard));
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown.size(), std::size_t{2});
        QCOMPARE(h.dialogs.shown.back().title, QStringLiteral("Unsaved choices"));
        QVERIFY(window->preview() == nullptr);
        QCOMPARE(window->container()->height(), height);
    }

    void pasteGoesOnlyIntoThePreview() {
        WindowHarness h;
        auto window = h.open();
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
        QCOMPARE(h.dialogs.shown[0].title, QStringLiteral("Warning"));
        QCOMPARE(h.dialogs.shown[0].text,
                 QStringLiteral("Unable to paste. You are not in Preview mode"));

        window->openPreview();
        window->setPreviewText("a\nb\n");
        window->preview()->setFocus();
        QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(window->previewText(), std::string("pasteda\nb\n"));
        QVERIFY(window->previewModified());
        QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
    }

    void theResultComesBackByteForByte() {
        WindowHarness h;
        auto window = h.open();
        window->openPreview();
        const std::string bytes = awkwardBytes();
        window->setPreviewText(bytes);
        QCOMPARE(window->previewText(), bytes);
        QVERIFY(!window->previewModified());

        // An edit changes only what was typed.
        PreviewEdit* preview = window->preview();
        preview->moveCursor(QTextCursor::End);
        QTest::sendKeyEvent(QTest::Click, preview, Qt::Key_Adiaeresis, QStringLiteral("\u00e4"),
                            Qt::NoModifier);
        QTest::keyClick(preview, Qt::Key_X);
        QTest::keyClick(preview, Qt::Key_Return);
        QCOMPARE(window->previewText(), bytes + "\xC3\xA4x\n");
        QVERIFY(window->previewModified());
    }

    void typingStopsAtTheLimitButTheProgramsTextIsNeverCut() {
        WindowHarness h;
        auto window = h.open();
        window->openPreview();
        PreviewEdit* preview = window->preview();
        const std::string big(PreviewEdit::kCharacterLimit + 10, 'x');
        window->setPreviewText(big);
        QCOMPARE(window->previewText().size(), big.size());
        QCOMPARE(preview->room(), qsizetype{0});
        preview->moveCursor(QTextCursor::End);
        QTest::keyClicks(preview, QStringLiteral("yz"));
        QCOMPARE(window->previewText().size(), big.size());

        window->setPreviewText(std::string(PreviewEdit::kCharacterLimit - 3, 'x'));
        QGuiApplication::clipboard()->setText(QStringLiteral("12345"));
        preview->moveCursor(QTextCursor::End);
        QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(window->previewText().ends_with("x123"));
    }
};

TANDEL_UI_TEST(PreviewTest)
#include "preview_test.moc"
