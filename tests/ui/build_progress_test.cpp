// The progress box of the directory list build: it shows the path being
// compared, keeps the program's events flowing, and Cancel stops the build
// with the rows found so far.
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ui_test_main.h"
#include "dialogs/build_progress_dialog.h"
#include "ui/directory_fixture.h"

using namespace tandel;

namespace {

struct Trees : test::DirectoryFixture {
    Trees() {
        for (int i = 0; i < 40; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "f%03d.txt", 100 + i);
            pair(name, i % 2 == 0, 1000 + i);
        }
    }
};

} // namespace

class BuildProgressTest : public QObject {
    Q_OBJECT
private slots:
    void showsThePathBeingComparedUntilTheBuildEnds() {
        Trees f;
        BuildProgressDialog dialog(nullptr);
        dialog.show();
        QVERIFY(dialog.windowTitle().isEmpty());
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("Comparing:")));
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(0);
        QStringList shown;
        const int result = f.build([&](const std::string& path) {
            const bool goOn = dialog.step(path);
            shown << dialog.shownPath();
            return goOn;
        });
        QCOMPARE(result, int(kBuildFinished));
        QCOMPARE(f.dirs.state.rows.size(), std::size_t(40));
        QVERIFY(ticks > 0); // the program's own events ran during the build
        // The first step shows its path at once; later ones as time passes.
        QCOMPARE(shown.front(), QString::fromStdString(f.dir1 + "/f101.txt"));
    }

    void cancelStopsTheBuildAndKeepsTheRowsFoundSoFar() {
        Trees f;
        BuildProgressDialog dialog(nullptr);
        dialog.show();
        QTimer::singleShot(0, &dialog, [&dialog] {
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("2")), Qt::LeftButton);
        });
        const int result = f.build([&dialog](const std::string& path) { return dialog.step(path); });
        QCOMPARE(result, int(kBuildCancelled));
        QVERIFY(dialog.cancelled());
        QVERIFY(!dialog.isVisible());
        QVERIFY(!f.dirs.state.rows.empty());
        QVERIFY(f.dirs.state.rows.size() < 40);
        QVERIFY(f.dirs.state.listIncomplete);
        QVERIFY(!f.dirs.state.comparing);
    }

    void escapeCancelsToo() {
        BuildProgressDialog dialog(nullptr);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.step("/x"));
    }
};

TANDEL_UI_TEST(BuildProgressTest)
#include "build_progress_test.moc"
