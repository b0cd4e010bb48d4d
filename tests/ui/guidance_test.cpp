// What the window tells the user and lets the keyboard do: the caption, the
// status bar, the current segment and the keys that take it.
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QtTest>

#include "ui_test_main.h"
#include "merge/decisions.h"
#include "window_harness.h"

using tandel::test::WindowHarness;

class GuidanceTest : public QObject {
    Q_OBJECT
private slots:
    void keysTakeTheCurrentSegmentAndTheBarsSayWhatIsLeft() {
        WindowHarness h;
        h.folder.write("tandel.ini", "[Options]\nAuto walk=1\n");
        const std::string out = h.folder.file("out.txt");
        auto window = h.open({h.folder.write("a.txt", "1\nx\n2\ny\n3\nz\n4\n"),
                              h.folder.write("b.txt", "1\nX\n2\nY\n3\nZ\n4\n"), "-outf", out});
        QCoreApplication::sendPostedEvents();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tandel v4.5 - a.txt : b.txt"));
        const auto status = [&] {
            return window->statusBar()->findChild<QLabel*>(QStringLiteral("differenceStatus"))->text();
        };
        QCOMPARE(status(), QStringLiteral("Difference 1 of 3 \u00b7 3 unresolved"));

        const tandel::MergeModel& model = window->application().model;
        QTest::keyClick(window.get(), Qt::Key_Left, Qt::AltModifier);
        QTest::keyClick(window.get(), Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(tandel::JudgingMark(model, 0, 1), tandel::CHOICE_FIRST);
        QCOMPARE(tandel::JudgingMark(model, 1, 2), tandel::CHOICE_FIRST);
        QCOMPARE(tandel::JudgingMark(model, 1, 1), tandel::CHOICE_SECOND);
        QCOMPARE(status(), QStringLiteral("Difference 3 of 3 \u00b7 1 unresolved"));

        // The context menu opens from the keyboard.
        QTest::keyClick(window.get(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(window->quickMenu()->isVisible());
        window->quickMenu()->hide();

        QTest::keyClick(window.get(), Qt::Key_Right, Qt::AltModifier);
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(tandel::testing::readFile(out), std::string("1\nx\n2\nY\ny\n3\nZ\n4\n"));
        QCOMPARE(window->statusBar()->currentMessage(),
                 QString::fromStdString("Saved to " + out));

        // Hidden from the Options menu, and remembered.
        window->runCommand(tandel::cmd::kToggleStatusBar);
        QVERIFY(!window->statusBar()->isVisible());
        window->close();
        QVERIFY(tandel::testing::readFile(h.ini()).find("Status bar=0") != std::string::npos);
    }
};

TANDEL_UI_TEST(GuidanceTest)
#include "guidance_test.moc"
