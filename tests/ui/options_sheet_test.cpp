// The "Tandel options" sheet driven through its widgets, page by page.
#include "ui_test_main.h"
#include "ui/options_sheet_support.h"

#include "engine/table_column_list.h"
#include "settings/comment_list_edit.h"
#include "settings/table_options_edit.h"

using tandel::OptionsSheet;
using tandel::Severity;
using namespace tandel::test;

namespace {

tandel::ColumnSet setOf(std::vector<long long> numbers) {
    tandel::ColumnSet set;
    set.assign(std::move(numbers));
    return set;
}

} // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnGeneralWithItsPagesButtonsAndHelpContexts() {
        SheetHarness h;
        OptionsSheet& sheet = h.open();
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Tandel options"));
        QStringList captions;
        for (int i = 0; i < sheet.pages()->count(); ++i) {
            captions << sheet.pages()->tabText(i);
        }
        QCOMPARE(captions, (QStringList{"General", "Table Columns Selection", "Column type",
                                        "Define column positions", "Comments definition"}));
        QCOMPARE(sheet.pages()->currentIndex(), 0);
        for (const char* text : {"OK", "Cancel", "Apply", "Help"}) {
            QVERIFY2(h.control<QPushButton>(text) != nullptr, text);
        }
        QVERIFY(!h.control<QPushButton>("Apply")->isEnabled());

        QSignalSpy help(&sheet, &OptionsSheet::helpRequested);
        for (Page page : {kGeneral, kColumns, kColumnType, kPositions, kComments}) {
            h.showPage(page);
            h.press("Help");
        }
        QList<int> contexts;
        for (const QList<QVariant>& call : help) {
            contexts << call.at(0).toInt();
        }
        QCOMPARE(contexts, (QList<int>{273, 287, 260, 267, 276}));
        QVERIFY(!h.control<QPushButton>("Apply")->isEnabled());
    }

    void cancelLeavesEverySettingAsItWas() {
        SheetHarness h;
        h.app.compare.positions = {{1, 4}};
        const tandel::Settings settings = h.app.settings;
        const tandel::CompareSettings compare = h.app.compare;
        OptionsSheet& sheet = h.open();
        QSignalSpy applied(&sheet, &OptionsSheet::applied);

        h.clickBox("Compress Spaces (A B=A   B)");
        SheetHarness::type(h.editBy("Tab size:"), "2");
        QVERIFY(h.control<QPushButton>("Apply")->isEnabled());
        h.showPage(kColumns);
        h.clickBox(h.sheet->findChild<QCheckBox*>("ignoredColumn4"));
        h.showPage(kColumnType);
        h.clickBox("&Numeric");
        h.showPage(kPositions);
        SheetHarness::type(h.edit("firstPosition"), "7");
        SheetHarness::type(h.edit("lastPosition"), "9");
        h.press("&Add");
        QCOMPARE(h.list()->count(), 2);
        h.showPage(kComments);
        SheetHarness::type(h.edit("commentBegin"), "#");
        SheetHarness::type(h.edit("commentEnd"), "$");
        h.press("&Add");
        h.press("Cancel");

        QCOMPARE(sheet.result(), int(QDialog::Rejected));
        QCOMPARE(applied.count(), 0);
        QVERIFY(h.app.settings == settings);
        QVERIFY(h.app.compare.positions == compare.positions);
        QVERIFY(h.app.compare.ignored == compare.ignored);
        QCOMPARE(h.app.compare.columnType, compare.columnType);
        QVERIFY(h.app.compare.comments.empty());
    }

    void generalPageGreysIgnoreAllSpacesButStoresItAsItStands() {
        SheetHarness h;
        h.app.settings.record.compressSpaces = 1;
        h.app.settings.record.ignoreAllSpaces = 1;
        OptionsSheet& sheet = h.open();
        QSignalSpy applied(&sheet, &OptionsSheet::applied);
        QCOMPARE(h.editBy("Tab size:")->text(), QStringLiteral("8"));
        QCOMPARE(h.editBy("Context lines")->text(), QStringLiteral("3"));

        auto* ignoreAll = h.control<QCheckBox>("Ignore All Spaces (AB=A B)");
        QVERIFY(ignoreAll->isEnabled());
        h.clickBox("Compress Spaces (A B=A   B)");
        QVERIFY(!ignoreAll->isEnabled());
        QVERIFY(ignoreAll->isChecked());
        auto* highlight = h.control<QCheckBox>("Highlight Changed Characters");
        QCOMPARE(highlight->parentWidget()->property("title").toString(),
                 QStringLiteral("Display"));
        QVERIFY(highlight->isChecked());
        h.clickBox(highlight);
        h.clickBox("Generate Differences Only");
        QCOMPARE(h.app.settings.record.compressSpaces, 1); // nothing before Apply

        h.press("Apply");
        const tandel::SettingsRecord& r = h.app.settings.record;
        QCOMPARE(r.compressSpaces, 0);
        QCOMPARE(r.ignoreAllSpaces, 1);
        QCOMPARE(r.highlightChanges, 0);
        QCOMPARE(r.diffsOnly, 1);
        QCOMPARE(applied.count(), 1);
        QVERIFY(!h.control<QPushButton>("Apply")->isEnabled());
        QVERIFY(sheet.isVisible());
    }

    void unusableCountsAreRefusedAndTheSheetStaysOpen() {
        SheetHarness h;
        OptionsSheet& sheet = h.open();
        h.showPage(kComments);
        SheetHarness::type(h.edit("commentBegin"), "#");
        SheetHarness::type(h.edit("commentEnd"), "$");
        h.press("&Add");
        h.showPage(kGeneral);
        h.clickBox("Table Comparison Mode");
        SheetHarness::type(h.editBy("Tab size:"), "0");
        h.showPage(kComments);
        h.press("OK");

        Severity severity{};
        QCOMPARE(h.lastMessage(&severity), "Tab size must be a whole number from 1 to 1000");
        QCOMPARE(severity, Severity::Error);
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.pages()->currentIndex(), int(kGeneral));
        QCOMPARE(h.app.settings.record.tabSize, 8);
        QCOMPARE(h.app.compare.tableMode, 0);
        QVERIFY(h.app.compare.comments.empty()); // pages after a refusal are not applied

        SheetHarness::type(h.editBy("Tab size:"), "4");
        SheetHarness::type(h.editBy("Context lines"), "-1");
        h.press("OK");
        QCOMPARE(h.lastMessage(), "Context lines must be a whole number from 0 to 100000");
        QVERIFY(sheet.isVisible());

        SheetHarness::type(h.editBy("Context lines"), "0");
        h.press("OK");
        QVERIFY(!sheet.isVisible());
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(h.app.settings.record.tabSize, 4);
        QCOMPARE(h.app.settings.record.contextLines, 0);
        QCOMPARE(h.app.compare.tableMode, 1);
        QCOMPARE(h.app.compare.comments.size(), std::size_t(1));
    }

    void columnBoxesEditTheListsAndApplyCommitsTheSelectedSet() {
        SheetHarness h;
        h.app.compare.ignored = setOf({5});
        OptionsSheet& sheet = h.open();
        h.showPage(kColumns);
        QVERIFY(h.control<QRadioButton>("All Columns")->isChecked());
        QVERIFY(h.control<QCheckBox>("Except for these:")->isChecked());
        QLineEdit* ignored = h.edit("ignoredColumns");
        QLineEdit* included = h.edit("includedColumns");
        QCOMPARE(ignored->text(), QStringLiteral(" 5"));

        h.clickBox("Specified columns only:");
        SheetHarness::type(included, "1, 3");
        h.clickBox(sheet.findChild<QCheckBox*>("includedColumn3"));
        QCOMPARE(included->text(), QStringLiteral("1, 3"));
        h.clickBox(sheet.findChild<QCheckBox*>("includedColumn1"));
        h.clickBox(sheet.findChild<QCheckBox*>("includedColumn1"));
        QCOMPARE(included->text(), QStringLiteral("3"));
        h.clickBox(sheet.findChild<QCheckBox*>("includedColumn6"));
        QCOMPARE(included->text(), QStringLiteral("3, 6"));
        h.press("OK");

        QVERIFY(!sheet.isVisible());
        QCOMPARE(h.app.compare.inclusive, 1);
        QVERIFY(h.app.compare.included == setOf({3, 6}));
        QVERIFY(h.app.compare.ignored == setOf({5})); // the set not selected stays

        // Reopened: the included set shows with a lead blank and its boxes.
        OptionsSheet& again = h.open();
        h.showPage(kColumns);
        QCOMPARE(h.edit("includedColumns")->text(), QStringLiteral(" 3, 6"));
        QVERIFY(again.findChild<QCheckBox*>("includedColumn6")->isChecked());
        QCOMPARE(h.edit("ignoredColumns")->text(), QString());
    }

    void aBadColumnListKeepsTheSheetOnItsPageWithNothingOfItCommitted() {
        SheetHarness h;
        h.app.compare.ignored = setOf({2});
        OptionsSheet& sheet = h.open();
        QSignalSpy applied(&sheet, &OptionsSheet::applied);
        h.clickBox("Ignore Comments");
        h.showPage(kColumns);
        QLineEdit* ignored = h.edit("ignoredColumns");
        SheetHarness::type(ignored, "1, x");
        h.press("OK");

        Severity severity{};
        QCOMPARE(h.lastMessage(&severity), std::string(tandel::kBadColumnDescription));
        QCOMPARE(severity, Severity::Error);
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.pages()->currentIndex(), int(kColumns));
        QCOMPARE(h.app.compare.ignoreComments, 1); // the page before stays applied
        QCOMPARE(applied.count(), 1);
        QVERIFY(h.app.compare.ignored == setOf({2}));

        // A box of the ignored list turns "Except for these:" on; with it off
        // again the ignored set empties whatever the edit still holds.
        auto* except = h.control<QCheckBox>("Except for these:");
        h.clickBox(except);
        QVERIFY(!except->isChecked());
        h.clickBox(sheet.findChild<QCheckBox*>("ignoredColumn4"));
        QVERIFY(except->isChecked());
        QCOMPARE(ignored->text(), QStringLiteral("1, x, 4"));
        h.clickBox(except);
        h.press("OK");
        QVERIFY(!sheet.isVisible());
        QVERIFY(h.app.compare.ignored.empty());
        QCOMPARE(h.app.compare.inclusive, 0);
    }

    void columnTypeTakesTheChosenTextAndKeepsTheOther() {
        SheetHarness h;
        h.app.compare.columnType = tandel::kColumnCustomCharset;
        h.app.compare.customCharset = "0-9";
        h.app.compare.customSeparators = "\\t;";
        h.app.compare.ignoreMultiSeps = 1;
        OptionsSheet& sheet = h.open();
        h.showPage(kColumnType);
        QVERIFY(h.control<QRadioButton>("&Custom character set")->isChecked());
        QCOMPARE(h.edit("customCharset")->text(), QStringLiteral("0-9"));
        QCOMPARE(h.edit("customSeparators")->text(), QStringLiteral("\\t;"));

        h.clickBox("Separated &By:");
        SheetHarness::type(h.edit("customSeparators"), "");
        SheetHarness::type(h.edit("customCharset"), "a-z");
        h.clickBox("&Ignore subsequent separators");
        h.press("OK");

        QVERIFY(!sheet.isVisible());
        QCOMPARE(h.app.compare.columnType, int(tandel::kColumnCustomSeparators));
        QCOMPARE(h.app.compare.customSeparators, std::string());
        QCOMPARE(h.app.compare.customCharset, std::string("0-9"));
        QCOMPARE(h.app.compare.ignoreMultiSeps, 0);
        QCOMPARE(int(h.app.compare.columnChars['\t']), 1); // rebuilt: no separators left
    }

    void textsThatAreNotUtf8KeepTheirBytes() {
        SheetHarness h;
        h.app.compare.columnType = tandel::kColumnCustomCharset;
        h.app.compare.customCharset = "\xe0-\xff";    // Latin-1 letters
        h.app.compare.customSeparators = "\xc3\xa9;"; // UTF-8
        h.open();
        h.showPage(kColumnType);
        QCOMPARE(h.edit("customCharset")->text(), QStringLiteral("\u00e0-\u00ff"));
        QCOMPARE(h.edit("customSeparators")->text(), QStringLiteral("\u00e9;"));
        h.clickBox("&Ignore subsequent separators");
        h.press("Apply");
        QCOMPARE(h.app.compare.customCharset, std::string("\xe0-\xff"));
        QCOMPARE(int(h.app.compare.columnChars[0xe9]), 1);

        SheetHarness::type(h.edit("customCharset"), QStringLiteral("\u00e0-\u00e9"));
        h.press("Apply");
        QCOMPARE(h.app.compare.customCharset, std::string("\xe0-\xe9"));
        h.clickBox("Separated &By:");
        SheetHarness::type(h.edit("customSeparators"), QStringLiteral("\u00e9,"));
        h.press("OK");
        QCOMPARE(h.app.compare.customSeparators, std::string("\xc3\xa9,"));
    }

    void columnPositionsWorkOnACopyUntilApplied() {
        SheetHarness h;
        h.app.compare.positions = {{4, 8}};
        OptionsSheet& sheet = h.open();
        h.showPage(kPositions);
        QListWidget* list = h.list();
        const auto add = [&h](const char* first, const char* last) {
            SheetHarness::type(h.edit("firstPosition"), first);
            SheetHarness::type(h.edit("lastPosition"), last);
            h.press("&Add");
        };
        const auto entries = [list] {
            QStringList texts;
            for (int i = 0; i < list->count(); ++i) {
                texts << list->item(i)->text();
            }
            return texts;
        };
        add("12", "9");
        add("0", "0");
        QCOMPARE(entries(), (QStringList{"Column 1 range: 1 - 1", "Column 2 range: 4 - 8",
                                         "Column 3 range: 9 - 12"}));
        add("3", "4");
        Severity severity{};
        QCOMPARE(h.lastMessage(&severity), std::string(tandel::kRangeOverlaps));
        QCOMPARE(severity, Severity::Warning);
        QCOMPARE(list->count(), 3);

        h.press("&Delete");
        QCOMPARE(h.lastMessage(&severity), std::string(tandel::kSelectColumnFirst));
        QCOMPARE(severity, Severity::Info);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        h.press("&Delete");
        QCOMPARE(entries(), (QStringList{"Column 1 range: 1 - 1", "Column 2 range: 9 - 12"}));
        QVERIFY((h.app.compare.positions == std::vector<tandel::ColumnRange>{{4, 8}}));

        h.press("OK");
        QVERIFY(!sheet.isVisible());
        QVERIFY((h.app.compare.positions == std::vector<tandel::ColumnRange>{{1, 1}, {9, 12}}));
    }

    void commentDefinitionsRefuseBlanksAndKeepOneOfEach() {
        SheetHarness h;
        h.app.compare.comments = {{"{", "}"}};
        OptionsSheet& sheet = h.open();
        h.showPage(kComments);
        QListWidget* list = h.list();
        QCOMPARE(list->item(0)->text(), QStringLiteral("{ ... }"));
        const auto add = [&h](const char* begin, const char* end) {
            SheetHarness::type(h.edit("commentBegin"), begin);
            SheetHarness::type(h.edit("commentEnd"), end);
            h.press("&Add");
        };
        add("/*", "*/");
        add("/*", "*/");
        add("--", "$");
        QCOMPARE(list->count(), 3);
        QVERIFY(h.frame.messages.empty());
        add("/ *", "*/");
        QCOMPARE(h.lastMessage(), std::string(tandel::kCommentHasSpaces));
        add("", "$");
        QCOMPARE(h.lastMessage(), std::string(tandel::kCommentEmpty));
        QCOMPARE(list->count(), 3);

        h.press("&Delete");
        Severity severity{};
        QCOMPARE(h.lastMessage(&severity), std::string(tandel::kSelectEntry));
        QCOMPARE(severity, Severity::Warning);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        h.press("&Delete");
        QCOMPARE(list->item(0)->text(), QStringLiteral("/* ... */"));
        QVERIFY(h.app.compare.comments.size() == 1);

        h.press("OK");
        QVERIFY(!sheet.isVisible());
        const auto& comments = h.app.compare.comments;
        QCOMPARE(comments.size(), std::size_t(2));
        QCOMPARE(comments[0].begin + " " + comments[0].end, std::string("/* */"));
        QCOMPARE(comments[1].begin + " " + comments[1].end, std::string("-- $"));
    }
};

TANDEL_UI_TEST(OptionsSheetTest)
#include "options_sheet_test.moc"
