// Options set in the sheet change the next comparison, are written to
// tandel.ini at shut-down and are there again after a restart.
#include "ui_test_main.h"
#include "ui/options_sheet_support.h"

#include "settings/compare_settings_store.h"
#include "merge/comparison_driver.h"
#include "settings/general_options_edit.h"
#include "merge/side_loader.h"
#include "settings/settings_store.h"
#include "support/temp_folder.h"

using namespace tandel;
using namespace tandel::test;

namespace {

// Start-up as the program reads its settings.
void startUp(SheetHarness& h, SettingsStore& store) {
    QVERIFY(store.loadOptions(h.app.settings).ok());
    store.loadFilesSection(h.app.settings);
    loadCompareSettings(store.profile(), h.app.compare);
}

} // namespace

class OptionsFollowTest : public QObject {
    Q_OBJECT
private slots:
    void comparisonsFollowTheSheetAndTheOptionsSurviveARestart() {
        testing::TempFolder dir;
        const std::string ini = dir.file("tandel.ini");
        const auto pair = [&dir](const char* name, const char* left, const char* right) {
            return std::pair{dir.write(std::string(name) + ".1", left),
                             dir.write(std::string(name) + ".2", right)};
        };
        const auto spaces = pair("spaces", "alpha  beta\n", "alpha beta\n");
        const auto table = pair("table", "name,10,x\nkey,1,y\n", "name,20,x\nkey,1,y\n");
        const auto tableOther = pair("other", "name,10,x\n", "name,10,z\n");
        const auto comments = pair("comments", "value = 1 # old\n", "value = 1 # new\n");

        SheetHarness h;
        SettingsStore store(ini);
        startUp(h, store);
        const auto same = [&h](const std::pair<std::string, std::string>& files) {
            SettingsRecord& record = h.app.settings.record;
            if (LoadSide(h.app.model, record, h.app.frame(), files.first, 1) != 0 ||
                LoadSide(h.app.model, record, h.app.frame(), files.second, 2) != 0) {
                return false;
            }
            const bool identical =
                compareFiles(h.app, files.first, files.second) == CompareResult::Identical;
            h.frame.messages.clear(); // "Files are identical"
            return identical;
        };
        QVERIFY(!same(spaces) && !same(table) && !same(comments));

        h.open();
        h.clickBox("Compress Spaces (A B=A   B)");
        h.press("OK");
        QVERIFY(same(spaces));
        QVERIFY(!same(table));

        h.open();
        h.clickBox("Table Comparison Mode");
        h.showPage(kColumnType);
        h.clickBox("Separated &By:");
        SheetHarness::type(h.edit("customSeparators"), ",");
        h.showPage(kColumns);
        h.clickBox(h.sheet->findChild<QCheckBox*>("ignoredColumn2"));
        h.press("OK");
        QVERIFY(same(table));
        QVERIFY(!same(tableOther));

        h.open();
        h.clickBox("Table Comparison Mode");
        h.clickBox("Ignore Comments");
        h.showPage(kComments);
        SheetHarness::type(h.edit("commentBegin"), "#");
        SheetHarness::type(h.edit("commentEnd"), "$");
        h.press("&Add");
        h.press("OK");
        QVERIFY(same(comments));
        QVERIFY(!same(table));
        QVERIFY(h.frame.messages.empty());

        QCOMPARE(store.shutDown(h.app.settings, compareSettingsWriters(h.app.compare)), 0);
        const std::string text = testing::readFile(ini);
        for (const char* line :
             {"Compress spaces=1", "Comparison mode=0", "ColDef type=5", "Custom separators=,",
              "Ignored columns=2", "Ignore comments=1", "Highlight changes=1"}) {
            QVERIFY2(text.find(std::string(line) + "\n") != std::string::npos, line);
        }

        SheetHarness restarted;
        SettingsStore again(ini);
        startUp(restarted, again);
        const CompareSettings& c = restarted.app.compare;
        QVERIFY(readGeneralOptions(restarted.app.settings.record, c) ==
                readGeneralOptions(h.app.settings.record, h.app.compare));
        QCOMPARE(c.columnType, int(kColumnCustomSeparators));
        QVERIFY(c.ignored == h.app.compare.ignored);
        QCOMPARE(c.comments.size(), std::size_t(1));
        QCOMPARE(c.comments[0].begin + c.comments[0].end, std::string("#$"));
        QCOMPARE(int(compareFiles(restarted.app, comments.first, comments.second)),
                 int(CompareResult::Identical));
    }
};

TANDEL_UI_TEST(OptionsFollowTest)
#include "options_follow_test.moc"
