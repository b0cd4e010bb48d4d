// The options sheet under real clicks and typing: what it sets changes the next
// comparison; Cancel and refused values change nothing.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "control/application.h"
#include "dialogs/options_sheet.h"
#include "merge/comparison_driver.h"
#include "merge/fake_frame.h"
#include "merge/side_loader.h"
#include "ui_test_main.h"
#include "window_harness.h"

using namespace tandel;

namespace {

enum Page { kGeneral, kColumns, kColumnType, kPositions, kComments };

struct SheetHarness {
    test::FakeFrame frame;
    Application app{frame};
    std::unique_ptr<OptionsSheet> sheet;

    OptionsSheet& open() {
        sheet = std::make_unique<OptionsSheet>(
            OptionsTarget{app.settings.record, app.compare, app.frame()});
        sheet->show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(sheet.get());
        return *sheet;
    }
    void showPage(Page index) const {
        auto* bar = sheet->pages()->findChild<QTabBar*>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    // The visible control with this text, on the current page or the sheet's own.
    template <typename T> T* control(const QString& text) const {
        for (T* widget : sheet->findChildren<T*>()) {
            if (widget->text() == text && widget->isVisible()) {
                return widget;
            }
        }
        return nullptr;
    }
    QLineEdit* edit(const QString& name) const { return sheet->findChild<QLineEdit*>(name); }
    void press(const QString& text) const { test::press(control<QAbstractButton>(text)); }
    void addComment(const QString& begin, const QString& end) const {
        showPage(kComments);
        test::type(edit("commentBegin"), begin);
        test::type(edit("commentEnd"), end);
        press("&Add");
    }
};

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT
private slots:
    void comparisonsFollowWhatTheSheetSets() {
        testing::TempFolder dir;
        const auto pair = [&dir](const std::string& name, const char* left, const char* right) {
            return std::pair{dir.write(name + ".1", left), dir.write(name + ".2", right)};
        };
        const auto table = pair("table", "name,10,x\nkey,1,y\n", "name,20,x\nkey,1,y\n");
        const auto comments = pair("comments", "value = 1 # old\n", "value = 1 # new\n");

        SheetHarness h;
        const auto same = [&h](const std::pair<std::string, std::string>& files) {
            SettingsRecord& record = h.app.settings.record;
            const bool loaded =
                loadSide(h.app.model, record, h.app.frame(), files.first, 1) ==
                    LoadResult::Loaded &&
                loadSide(h.app.model, record, h.app.frame(), files.second, 2) == LoadResult::Loaded;
            h.frame.messages.clear(); // "Files are identical"
            return loaded &&
                   compareFiles(h.app, files.first, files.second) == CompareResult::Identical;
        };
        QVERIFY(!same(table) && !same(comments));

        h.open();
        h.press("Table Comparison Mode");
        h.showPage(kColumnType);
        h.press("Separated &By:");
        test::type(h.edit("customSeparators"), ",");
        h.showPage(kColumns);
        test::press(test::control(*h.sheet, "ignoredColumn2"));
        h.press("OK");
        QVERIFY(same(table));

        h.open();
        h.press("Table Comparison Mode");
        h.press("Ignore Comments");
        h.addComment("#", "$");
        h.press("OK");
        QVERIFY(same(comments));
        QVERIFY(!same(table));
        QVERIFY(h.frame.messages.empty());
    }

    void aRefusedValueAndCancelLeaveEverySettingAsItWas() {
        SheetHarness h;
        h.app.compare.positions = {{1, 4}};
        const Settings settings = h.app.settings;
        const CompareSettings compare = h.app.compare;
        OptionsSheet& sheet = h.open();
        QSignalSpy applied(&sheet, &OptionsSheet::applied);
        h.press("Compress Spaces (A B=A   B)");
        test::type(qobject_cast<QLineEdit*>(h.control<QLabel>("Tab size:")->buddy()), "0");
        QVERIFY(h.control<QPushButton>("Apply")->isEnabled());
        h.showPage(kColumns);
        test::press(test::control(*h.sheet, "ignoredColumn4"));
        h.showPage(kColumnType);
        h.press("&Numeric");
        h.showPage(kPositions);
        test::type(h.edit("firstPosition"), "7");
        test::type(h.edit("lastPosition"), "9");
        h.press("&Add");
        QCOMPARE(h.sheet->pages()->currentWidget()->findChild<QListWidget*>()->count(), 2);
        h.addComment("#", "$");
        h.press("OK");
        QCOMPARE(h.frame.messages.back().second, "Tab size must be a whole number from 1 to 1000");
        QCOMPARE(h.frame.messages.back().first, Severity::Error);
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.pages()->currentIndex(), int(kGeneral));

        h.press("Cancel");
        QCOMPARE(sheet.result(), int(QDialog::Rejected));
        QCOMPARE(applied.count(), 0);
        QVERIFY(h.app.settings == settings);
        QVERIFY(h.app.compare.positions == compare.positions);
        QVERIFY(h.app.compare.ignored == compare.ignored);
        QCOMPARE(h.app.compare.columnType, compare.columnType);
        QVERIFY(h.app.compare.comments.empty());
    }
};

TANDEL_UI_TEST(OptionsTest)
#include "options_test.moc"
