#include "settings/compare_settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tandel {
namespace {

TEST(CompareSettingsStore, WriteFormsAndRoundTripThroughTheFile) {
    const auto path = std::filesystem::path(::testing::TempDir()) / "compare_store_test.ini";
    CompareSettings written;
    written.tableMode = 1;
    written.columnType = kColumnCustomSeparators;
    written.customSeparators = "\\t;";
    written.customCharset = " 0-9 ";
    written.ignoreMultiSeps = 0;
    written.inclusive = 1;
    written.included.assign({3, 1});
    written.ignored.assign({2});
    written.positions = {{1, 8}, {12, 20}};
    written.ignoreComments = 1;
    written.comments = {{"/*", "*/"}, {"//", "$"}};
    {
        Profile profile(path.string());
        const DefinitionWriters writers = compareSettingsWriters(written);
        writers.tableDefinitions(profile);
        writers.commentDefinitions(profile);
        EXPECT_EQ(profile.readString("Table Options", "Included columns", "?"), " 1, 3");
        EXPECT_EQ(profile.readString("Table Options", "Ignored columns", "?"), "");
        EXPECT_EQ(profile.readString("Table Options", "Column positions", "?"), "1:8,12:20");
        EXPECT_EQ(profile.readString("Options", "Ignored Segments", "?"), "/* */ // $ ");
        ASSERT_TRUE(profile.save().ok());
    }
    Profile reread(path.string());
    ASSERT_EQ(reread.load(), 0);
    CompareSettings read;
    loadCompareSettings(reread, read);
    std::filesystem::remove(path);
    EXPECT_EQ(read.tableMode, 1);
    EXPECT_EQ(read.columnType, kColumnCustomSeparators);
    EXPECT_EQ(read.customSeparators, "\\t;");
    EXPECT_EQ(read.customCharset, " 0-9 ");
    EXPECT_EQ(read.ignoreMultiSeps, 0);
    EXPECT_EQ(read.inclusive, 1);
    EXPECT_EQ(read.included, written.included);
    EXPECT_TRUE(read.ignored.empty()); // only the set in force is stored
    EXPECT_EQ(read.positions, written.positions);
    EXPECT_EQ(read.ignoreComments, 1);
    ASSERT_EQ(read.comments.size(), 2u);
    EXPECT_EQ(read.comments[1].end, "$");
    EXPECT_EQ(read.columnChars[';'], 0); // rebuilt from the separators

    // The exclusive form writes the ignored set tight.
    written.inclusive = 0;
    written.ignored.assign({5, 2});
    Profile profile("unused.ini");
    saveTableDefinitions(profile, written);
    EXPECT_EQ(profile.readString("Table Options", "Ignored columns", "?"), "2,5");
    EXPECT_EQ(profile.readString("Table Options", "Included columns", "?"), "");
}

TEST(CompareSettingsStore, ColumnPositionsReading) {
    using Ranges = std::vector<ColumnRange>;
    EXPECT_EQ(parseColumnPositions(" 12 : 20 ,1:8"), (Ranges{{1, 8}, {12, 20}}));
    // Out of range parts are skipped and the rest read on.
    EXPECT_EQ(parseColumnPositions("0:3,5:4,1:60000,7:9,2:99999999999999999999"), (Ranges{{7, 9}}));
    // A part that is not two numbers ends the reading.
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

} // namespace
} // namespace tandel
