// The settings file as a run reads and writes it, the comparison definitions
// kept in it, and what the options sheet's pages commit.
#include "settings/compare_settings_store.h"
#include "settings/settings_store.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

#include "settings/general_options_edit.h"
#include "settings/table_options_edit.h"
#include "support/failing_file_system.h"
#include "support/temp_folder.h"

namespace tandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

// Start-up as the program runs it, with no switches.
Settings startUp(SettingsStore& store) {
    Settings s;
    (void)store.loadOptions(s);
    store.loadFilesSection(s);
    store.loadTextFont(s);
    store.loadTitleFont(s);
    return s;
}

struct Store : ::testing::Test {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    SettingsStore store{path};

    Settings startWith(const std::string& text) {
        writeFile(path, text);
        return startUp(store);
    }
    Settings reopen() const {
        SettingsStore again(path);
        return startUp(again);
    }
};

TEST(SettingsStore, AFirstRunStartsWithTheDefaultsMakesTheFolderAndReadsBackWhatItWrote) {
    TempFolder dir;
    const std::string path = dir.file("config/tandel/tandel.ini");
    SettingsStore store(path);
    Settings s;
    EXPECT_TRUE(store.loadOptions(s).ok());
    EXPECT_FALSE(store.settingsPresent());
    EXPECT_FALSE(std::filesystem::exists(dir.file("config")));
    store.loadFilesSection(s);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("config/tandel")));
    store.loadTextFont(s);
    store.loadTitleFont(s);
    EXPECT_TRUE(s == Settings{});
    ASSERT_EQ(store.shutDown(s), SettingsWrite::Written);
    SettingsStore next(path);
    EXPECT_TRUE(startUp(next) == Settings{});
    EXPECT_TRUE(next.settingsPresent());
}

TEST_F(Store, EverySectionRoundTrips) {
    Settings s = startUp(store);
    s.record = {4, 0, 1, 1, 7, 0, 1, 1, 1, 0, 1, 1, 0};
    s.geometry = {10, 20, 800, 600, 90, 91, 300, 301, 2};
    s.files = {"/a/one", 2, "/b/two", 3, "/out", 1, "/sel 1", "/sel 2", "/sel out"};
    s.textFont = {"A Font Family Name Longer Than Thirty-One", 700, 1, -20, 49, 0};
    s.titleFont = {"Title Face", 300, 0, 12, 2, 204};
    s.lists = {{"*.txt", "*.c;*.h"}, {"Text", "C source"}, {"*.cpp"}, {"build", " .git "}};
    ASSERT_EQ(store.shutDown(s), SettingsWrite::Written);
    EXPECT_TRUE(reopen() == s);
}

TEST_F(Store, ListsAreCappedShareTheDescriptionsCountAndKeepOtherKeys) {
    std::string text = "[Include filters]\nNumEntries=150\n";
    for (int i = 0; i < 150; ++i)
        text += "String " + std::to_string(i) + "=p" + std::to_string(i) + "\n";
    text += "Note=mine\n[Exclude filters]\nNumEntries=-4\nString 0=x\n"
            "[File filters]\nNumEntries=3\nString 0=*.a\nString 1=*.b\nString 2=*.c\n"
            "[File Descriptions]\nNumEntries=2\nString 0=A\nString 1=B\n";
    Settings s = startWith(text);
    ASSERT_EQ(s.lists.includeFilters.size(), 100u);
    EXPECT_EQ(s.lists.includeFilters[99], "p99");
    EXPECT_TRUE(s.lists.excludeFilters.empty());
    EXPECT_EQ(s.lists.fileFilters, (std::vector<std::string>{"*.a", "*.b"}));
    EXPECT_EQ(s.lists.fileDescriptions.size(), 2u);

    ASSERT_EQ(store.shutDown(s), SettingsWrite::Written);
    Profile saved(path);
    ASSERT_EQ(saved.load(), ProfileLoad::Read);
    EXPECT_EQ(saved.readInt("Include filters", "NumEntries", 0), 100);
    EXPECT_FALSE(saved.hasKey("Include filters", "String 100"));
    EXPECT_TRUE(saved.hasKey("Include filters", "Note")); // not the list's own
}

TEST_F(Store, DamagedContentReadsAsTheDefaultsOrIsClamped) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    EXPECT_TRUE(startWith(garbage) == Settings{});

    const Settings s = startWith("[Options]\nTab size=99999999999\nContext lines=-5\n"
                                 "Left=-32000\nTop=junk\nWidth=20\nHeight=-3\n"
                                 "[Font]\nItalic=257\nPitch=-1\nWeight=lots\n");
    EXPECT_EQ(s.record.tabSize, 8);
    EXPECT_EQ(s.record.contextLines, 3);
    EXPECT_TRUE(s.geometry == (Geometry{0, 0, 150, 100, 130, 130, -1, -1, 0}));
    EXPECT_TRUE(s.textFont == (FontDescription{"", 0, 1, -13, 255, 1}));
}

TEST_F(Store, MinimisedWindowKeepsThePreviousGeometry) {
    Settings s = startWith("[Options]\nLeft=30\nTop=40\nWidth=700\nHeight=500\n");
    s.geometry = {-32000, -32000, 160, 30, 130, 130, -1, -1, 0};
    ASSERT_EQ(store.shutDown(s), SettingsWrite::Written);
    EXPECT_TRUE(reopen().geometry == (Geometry{30, 40, 700, 500, 130, 130, -1, -1, 0}));
}

TEST_F(Store, WritersRunAroundTheOptionsAndOtherInstancesKeysSurvive) {
    const Settings s = startUp(store);
    // Another instance writes while this one runs.
    writeFile(path, "[Table Options]\nColDef type=3\n[Elsewhere]\nk=v\n");
    bool optionsBeforeTable = true;
    bool optionsBeforeComments = false;
    DefinitionWriters writers{
        [&](Profile& p) {
            optionsBeforeTable = p.hasKey("Options", "Tab size");
            p.writeInt("Table Options", "ColDef type", 5);
        },
        [&](Profile& p) { optionsBeforeComments = p.hasKey("Options", "Tab size"); }};
    ASSERT_EQ(store.saveAll(s, writers), SettingsWrite::Written);
    EXPECT_FALSE(optionsBeforeTable);
    EXPECT_TRUE(optionsBeforeComments);
    Profile saved(path);
    ASSERT_EQ(saved.load(), ProfileLoad::Read);
    EXPECT_EQ(saved.readInt("Table Options", "ColDef type", 0), 5);
    EXPECT_EQ(saved.readString("Elsewhere", "k", ""), "v");
    // saveAll leaves the dialog values of [Files] alone.
    EXPECT_FALSE(saved.hasKey("Files", "Dir name 1"));
    EXPECT_TRUE(saved.hasKey("Files", "Select dir1"));
}

// Kept beside itself once, never over an earlier copy; without a copy, never replaced.
TEST_F(Store, AFileNotReadCleanlyIsKeptBesideItselfOnce) {
    writeFile(path + ".bad", "kept earlier");
    Settings s;
    for (int run = 0; run < 2; ++run) {
        writeFile(path, "garbage\n[Options]\nTab size=4\n");
        SettingsStore again(path);
        s = startUp(again);
        EXPECT_EQ(s.record.tabSize, 4);
        EXPECT_EQ(again.takeNotices(),
                  std::vector<std::string>{"Line 1 of the settings file " + path +
                                           " could not be read, and is kept in it as a comment. "
                                           "The file as it was is kept as " +
                                           path + ".bad.1."});
    }
    EXPECT_EQ(readFile(path + ".bad"), "kept earlier");
    EXPECT_EQ(readFile(path + ".bad.1"), "garbage\n[Options]\nTab size=4\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".bad.2"));

    testing::FailingFileSystem failing;
    failing.fail(testing::FileOp::Open, ".bad", EACCES);
    writeFile(path, "other garbage\n");
    SettingsStore blocked(path, failing);
    s = startUp(blocked);
    EXPECT_EQ(blocked.takeNotices(),
              std::vector<std::string>{"The settings file " + path +
                                       " could not be read cleanly, and no copy of it could be "
                                       "kept as " +
                                       path +
                                       ".bad.2: Permission denied. "
                                       "The settings will not be written."});
    EXPECT_EQ(blocked.shutDown(s), SettingsWrite::NotWritten);
    EXPECT_TRUE(blocked.takeNotices().empty());
    EXPECT_EQ(readFile(path), "other garbage\n");
}

TEST_F(Store, AFailedSaveLeavesTheOldFileAndSaysWhy) {
    using testing::FileOp;
    const std::string old = "[Options]\r\nTab size=4\r\n; mine\r\n[Elsewhere]\r\nk=v\r\n";
    for (const FileOp op : {FileOp::Open, FileOp::Write, FileOp::Finish, FileOp::Commit}) {
        testing::FailingFileSystem failing;
        SettingsStore faulty(path, failing);
        writeFile(path, old);
        Settings s = startUp(faulty);
        s.record.tabSize = 2;
        failing.fail(op, "tandel.ini", ENOSPC);
        EXPECT_EQ(faulty.saveAll(s), SettingsWrite::NotWritten) << static_cast<int>(op);
        EXPECT_EQ(faulty.shutDown(s), SettingsWrite::NotWritten);
        EXPECT_EQ(faulty.takeNotices(),
                  std::vector<std::string>{"The settings were not written to " + path +
                                           ": No space left on device."});
        EXPECT_EQ(readFile(path), old);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"tandel.ini"});
    }
    // A file where the settings folder should be.
    SettingsStore blocked(path + "/tandel/tandel.ini");
    const Settings b = startUp(blocked);
    EXPECT_EQ(blocked.ensureMapping().error(), ENOTDIR);
    EXPECT_EQ(blocked.shutDown(b), SettingsWrite::NotWritten);
    EXPECT_EQ(blocked.saveAll(b), SettingsWrite::NotWritten);
    EXPECT_EQ(readFile(path), old);
}

TEST_F(Store, FilesSectionDropsOneTrailingSlashAndTakesTheSwitches) {
    writeFile(path, "[Options]\nTab size=8\n[Files]\nDir name 1=/home/u/\nDir name 2=/\n"
                    "Out dir=/out/\nSelect dir2=/picked\n");
    Settings s;
    (void)store.loadOptions(s);
    store.loadFilesSection(s);
    EXPECT_TRUE(s.files ==
                (FilesSection{"/home/u", 0, "/", 0, "/out", 0, "/home/u/", "/picked", "/out/"}));

    PathSwitches sw;
    sw.d1 = "/d1/";
    sw.d2 = "/d2";
    sw.f2Given = true;
    sw.outd = "/dest/";
    store.loadFilesSection(s, sw);
    EXPECT_TRUE(s.files == (FilesSection{"/d1", 0, "", 0, "/dest", 0, "/d1/", "/d2", "/dest/"}));
}

// Only the column set in force is stored.
TEST(CompareSettingsStore, DefinitionsRoundTripThroughTheFile) {
    TempFolder dir;
    CompareSettings written;
    written.tableMode = 1;
    written.columnType = kColumnCustomSeparators;
    written.customSeparators = "\\t;";
    written.customCharset = " 0-9 ";
    written.ignoreMultiSeps = 0;
    written.included.assign({3, 1});
    written.ignored.assign({5, 2});
    written.positions = {{1, 8}, {12, 20}};
    written.ignoreComments = 1;
    written.comments = {{"/*", "*/"}, {"//", "$"}};
    for (const int inclusive : {1, 0}) {
        written.inclusive = inclusive;
        Profile profile(dir.file("compare.ini"));
        const DefinitionWriters writers = compareSettingsWriters(written);
        writers.tableDefinitions(profile);
        writers.commentDefinitions(profile);
        ASSERT_TRUE(profile.save().ok());
        Profile reread(dir.file("compare.ini"));
        ASSERT_EQ(reread.load(), ProfileLoad::Read);
        CompareSettings read;
        loadCompareSettings(reread, read);
        EXPECT_EQ(std::tie(read.tableMode, read.columnType, read.ignoreMultiSeps, read.inclusive,
                           read.ignoreComments),
                  std::tie(written.tableMode, written.columnType, written.ignoreMultiSeps,
                           written.inclusive, written.ignoreComments));
        EXPECT_EQ(read.customSeparators + "|" + read.customCharset, "\\t;| 0-9 ");
        EXPECT_EQ(read.included, inclusive ? written.included : ColumnSet{});
        EXPECT_EQ(read.ignored, inclusive ? ColumnSet{} : written.ignored);
        EXPECT_EQ(read.positions, written.positions);
        ASSERT_EQ(read.comments.size(), 2u);
        EXPECT_EQ(read.comments[0].begin + read.comments[1].end, "/*$");
        EXPECT_EQ(read.columnChars[';'] * 2 + read.columnChars['a'], 1); // from the separators
    }
}

TEST(CompareSettingsStore, ColumnPositionsReading) {
    using Ranges = std::vector<ColumnRange>;
    EXPECT_EQ(parseColumnPositions(" 12 : 20 ,1:8"), (Ranges{{1, 8}, {12, 20}}));
    // Parts out of range are skipped; one that is not two numbers ends the reading.
    EXPECT_EQ(parseColumnPositions("0:3,5:4,1:60000,7:9,2:99999999999999999999"), (Ranges{{7, 9}}));
    EXPECT_EQ(parseColumnPositions("1:2,x,4:5"), (Ranges{{1, 2}}));
    EXPECT_EQ(parseColumnPositions("1:2,,4:5"), (Ranges{{1, 2}}));
    EXPECT_EQ(parseColumnPositions("3-4,5:6"), Ranges{});
    // Overlaps are not refused when reading.
    EXPECT_EQ(parseColumnPositions("3:8,1:5"), (Ranges{{1, 5}, {3, 8}}));
}

TEST(CompareSettingsStore, LoadingDropsStaleValuesAndSurvivesDamagedOnes) {
    Profile empty("unused.ini");
    CompareSettings settings;
    settings.comments = {{"a", "b"}};
    settings.positions = {{1, 2}};
    loadCompareSettings(empty, settings);
    EXPECT_EQ(settings.columnType, kColumnWhiteSpaceSeparated);
    EXPECT_TRUE(settings.positions.empty());
    EXPECT_TRUE(settings.comments.empty());
    EXPECT_EQ(settings.columnChars['a'], 1); // rebuilt for the default type
    EXPECT_EQ(settings.columnChars[' '], 0);

    Profile profile("unused.ini");
    profile.writeString("Table Options", "Ignored columns", "2, zwei");
    profile.writeInt("Table Options", "ColDef type", 9);
    profile.writeString("Options", "Ignored Segments", "  /*   */ rem");
    settings.ignored.assign({7});
    loadCompareSettings(profile, settings);
    EXPECT_EQ(settings.ignored.numbers(), std::vector<long long>{7});
    EXPECT_EQ(settings.columnType, kColumnWhiteSpaceSeparated);
    ASSERT_EQ(settings.comments.size(), 1u);
    EXPECT_EQ(settings.comments[0].begin, "/*");
    EXPECT_EQ(settings.comments[0].end, "*/");
}

TEST(GeneralOptions, TypedIntegersAreWholeSignedNumbersWithBlanksAround) {
    const std::pair<const char*, std::optional<long long>> cases[] = {
        {"8", 8},    {" 12 ", 12}, {"-3", -3},
        {"+4", 4},   {"", {}},     {"4x", {}},
        {"- 4", {}}, {"x", {}},    {"99999999999999999999999", 9223372036854775807LL}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(readTypedInteger(text), expected) << '"' << text << '"';
}

// What the page applies it shows again; "Ignore All Spaces" is kept while greyed.
TEST(GeneralOptions, ApplyStoresEveryValueAndKeepsIgnoreAllSpacesWhileGreyed) {
    SettingsRecord record;
    CompareSettings compare;
    GeneralOptions o = readGeneralOptions(record, compare);
    o.compressSpaces = false;
    o.ignoreAllSpaces = true;
    EXPECT_FALSE(ignoreAllSpacesEnabled(o));
    o.tableMode = o.ignoreComments = o.keepLineEnds = o.diffsOnly = o.lineNumbers = true;
    o.syncHScroll = o.autoWalk = o.autoCompare = o.highlightChanges = false;
    o.tabSize = " 4";
    o.contextLines = "0";
    ASSERT_EQ(applyGeneralOptions(o, record, compare), std::nullopt);
    GeneralOptions expected = o;
    expected.tabSize = "4"; // as the next opening shows it
    EXPECT_EQ(readGeneralOptions(record, compare), expected);
    EXPECT_EQ(record.ignoreAllSpaces, 1);
    EXPECT_EQ(compare.tableMode, 1);
    EXPECT_EQ(record.highlightChanges, 0);
}

ColumnSet setOf(std::vector<long long> numbers) {
    ColumnSet set;
    set.assign(std::move(numbers));
    return set;
}

TEST(ColumnSelection, ApplyCommitsTheSelectedSetAndKeepsTheOther) {
    CompareSettings compare;
    compare.ignored = setOf({4});
    ColumnSelection s;
    s.specifiedOnly = true;
    s.includedText = " 1, 3;5";
    ASSERT_EQ(applyColumnSelection(s, compare), std::nullopt);
    EXPECT_EQ(compare.inclusive, 1);
    EXPECT_EQ(compare.included, setOf({1, 3, 5}));
    EXPECT_EQ(compare.ignored, setOf({4}));

    // "All Columns" without "Except for these:" empties the ignored set.
    s = ColumnSelection{};
    s.ignoredText = "2";
    ASSERT_EQ(applyColumnSelection(s, compare), std::nullopt);
    EXPECT_EQ(compare.inclusive, 0);
    EXPECT_TRUE(compare.ignored.empty());
    EXPECT_EQ(compare.included, setOf({1, 3, 5}));

    s.except = true;
    ASSERT_EQ(applyColumnSelection(s, compare), std::nullopt);
    EXPECT_EQ(compare.ignored, setOf({2}));
}

TEST(ColumnPositions, ARangePastTheLimitIsKeptShortOfIt) {
    ColumnPositionsEdit edit({{4, 8}});
    EXPECT_EQ(edit.add("70000", "50000"), std::nullopt);
    EXPECT_EQ(edit.ranges(), (std::vector<ColumnRange>{{4, 8}, {50000, 59999}}));
}

} // namespace
} // namespace tandel
