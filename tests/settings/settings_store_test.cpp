#include "settings/settings_store.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "settings/temp_folder.h"

namespace tandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

// Start-up as the program runs it, with no switches.
Settings startUp(SettingsStore& store) {
    Settings s;
    store.loadOptions(s);
    store.loadFilesSection(s);
    store.loadTextFont(s);
    store.loadTitleFont(s);
    return s;
}

Settings reopen(const std::string& path) {
    SettingsStore store(path);
    return startUp(store);
}

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST(SettingsStore, FirstRunStartsWithDefaultsAndCreatesTheFolder) {
    TempFolder dir;
    std::string path = dir.file("config/tandel/tandel.ini");
    SettingsStore store(path);
    Settings s;
    EXPECT_EQ(store.loadOptions(s), 0);
    EXPECT_FALSE(store.settingsPresent());
    EXPECT_FALSE(std::filesystem::exists(dir.file("config")));
    store.loadFilesSection(s);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("config/tandel")));
    store.loadTextFont(s);
    store.loadTitleFont(s);

    EXPECT_EQ(s.record.tabSize, 8);
    EXPECT_EQ(s.record.autoWalk, 1);
    EXPECT_EQ(s.record.syncHScroll, 1);
    EXPECT_EQ(s.record.autoCompare, 1);
    EXPECT_EQ(s.record.contextLines, 3);
    EXPECT_EQ(s.geometry.left, 0);
    EXPECT_EQ(s.geometry.width, 640);
    EXPECT_EQ(s.geometry.height, 480);
    EXPECT_EQ(s.geometry.pathSize1, -1);
    EXPECT_EQ(s.textFont.faceName, "Microsoft Sans Serif");
    EXPECT_EQ(s.titleFont.height, -13);
    EXPECT_TRUE(s.lists.fileFilters.empty());

    ASSERT_EQ(store.shutDown(s), 0);
    SettingsStore next(path);
    EXPECT_EQ(next.loadOptions(s), 0);
    EXPECT_TRUE(next.settingsPresent());
}

TEST(SettingsStore, EverySectionRoundTrips) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    SettingsStore store(path);
    Settings s = startUp(store);
    s.record = {4, 0, 1, 1, 7, 0, 1, 1, 1, 0, 1, 1};
    s.geometry = {10, 20, 800, 600, 90, 91, 300, 301, 2};
    s.files = {"/a/one", 2, "/b/two", 3, "/out", 1, "/sel 1", "/sel 2", "/sel out"};
    s.textFont = {"A Font Family Name Longer Than Thirty-One", 700, 1, -20, 49, 0};
    s.titleFont = {"Title Face", 300, 0, 12, 2, 204};
    s.lists = {{"*.txt", "*.c;*.h"}, {"Text", "C source"}, {"*.cpp"}, {"build", " .git "}};
    ASSERT_EQ(store.shutDown(s), 0);

    Settings back = reopen(path);
    EXPECT_TRUE(back.record == s.record);
    EXPECT_TRUE(back.geometry == s.geometry);
    EXPECT_TRUE(back.files == s.files);
    EXPECT_TRUE(back.textFont == s.textFont);
    EXPECT_TRUE(back.titleFont == s.titleFont);
    EXPECT_TRUE(back.lists == s.lists);
}

TEST(SettingsStore, FreshFileHoldsOptionsInTheirOrder) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    SettingsStore store(path);
    ASSERT_EQ(store.shutDown(startUp(store)), 0);
    std::string text = readFile(path);
    const char* order[] = {"Tab size=8",
                           "Auto walk=1",
                           "Compress spaces=0",
                           "Line numbers",
                           "Context lines",
                           "Sync hscroll",
                           "Unix format",
                           "Recursive",
                           "Diffs Only",
                           "Auto Compare",
                           "Ignore Spaces",
                           "OutDirUIType",
                           "Directory Diffs Only",
                           "TimeSize1=130",
                           "PathSize2=-1",
                           "Left=0",
                           "Height=480",
                           "Title Font name=",
                           "Title CharSet=1",
                           "\nFont name=Microsoft Sans Serif",
                           "CharSet=1"};
    std::size_t at = 0;
    for (const char* key : order) {
        std::size_t found = text.find(key, at);
        ASSERT_NE(found, std::string::npos) << key << " after " << at << " in\n" << text;
        at = found;
    }
}

TEST(SettingsStore, IgnoreSpacesKeyStaysOneEntryWhateverItsSpelling) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    writeFile(path, "[Options]\nIgnore spaces=1\n");
    SettingsStore store(path);
    Settings s = startUp(store);
    EXPECT_EQ(s.record.ignoreAllSpaces, 1);
    s.record.ignoreAllSpaces = 0;
    ASSERT_EQ(store.shutDown(s), 0);
    std::string text = readFile(path);
    EXPECT_EQ(countOf(text, "Ignore spaces=") + countOf(text, "Ignore Spaces="), 1u) << text;
    EXPECT_EQ(reopen(path).record.ignoreAllSpaces, 0);
}

TEST(SettingsStore, ListsAreCappedAndShareTheDescriptionsCount) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    std::string text = "[Include filters]\nNumEntries=150\n";
    for (int i = 0; i < 150; ++i) {
        text += "String " + std::to_string(i) + "=p" + std::to_string(i) + "\n";
    }
    text += "[Exclude filters]\nNumEntries=-4\nString 0=x\n"
            "[File filters]\nNumEntries=3\nString 0=*.a\nString 1=*.b\nString 2=*.c\n"
            "[File Descriptions]\nNumEntries=2\nString 0=A\nString 1=B\n";
    writeFile(path, text);
    SettingsStore store(path);
    Settings s = startUp(store);
    ASSERT_EQ(s.lists.includeFilters.size(), 100u);
    EXPECT_EQ(s.lists.includeFilters[99], "p99");
    EXPECT_TRUE(s.lists.excludeFilters.empty());
    EXPECT_EQ(s.lists.fileFilters, (std::vector<std::string>{"*.a", "*.b"}));
    EXPECT_EQ(s.lists.fileDescriptions.size(), 2u);

    ASSERT_EQ(store.shutDown(s), 0);
    Profile saved(path);
    ASSERT_EQ(saved.load(), 0);
    EXPECT_EQ(saved.readInt("Include filters", "NumEntries", 0), 100);
    EXPECT_FALSE(saved.hasKey("Include filters", "String 100"));
    EXPECT_EQ(saved.readInt("File filters", "NumEntries", 0), 2);
    EXPECT_FALSE(saved.hasKey("File filters", "String 2"));
}

TEST(SettingsStore, MoreDescriptionsThanPatternsKeepsEveryDescription) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    writeFile(path, "[File filters]\nNumEntries=1\nString 0=*.a\n"
                    "[File Descriptions]\nNumEntries=100000\nString 0=A\nString 1=B\n");
    Settings s = reopen(path);
    ASSERT_EQ(s.lists.fileDescriptions.size(), 100u);
    ASSERT_EQ(s.lists.fileFilters.size(), 100u);
    EXPECT_EQ(s.lists.fileDescriptions[1], "B");
    EXPECT_EQ(s.lists.fileFilters[1], "");
}

TEST(SettingsStore, TabSizeMinusOneMeansNotPresent) {
    TempFolder dir;
    std::string path = dir.file("sub/tandel.ini");
    std::filesystem::create_directory(dir.file("sub"));
    writeFile(path, "[Options]\nTab size=-1\n");
    SettingsStore store(path);
    Settings s;
    store.loadOptions(s);
    EXPECT_FALSE(store.settingsPresent());
    EXPECT_EQ(s.record.tabSize, 8);
    writeFile(path, "[Options]\nTab size=0\n");
    store.loadOptions(s);
    EXPECT_TRUE(store.settingsPresent());
}

TEST(SettingsStore, UnusableNumbersFallBackOrClamp) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    writeFile(path, "[Options]\nTab size=99999999999\nContext lines=-5\n"
                    "Left=-32000\nTop=junk\nWidth=20\nHeight=-3\n"
                    "[Font]\nItalic=257\nPitch=-1\nWeight=lots\n");
    Settings s = reopen(path);
    EXPECT_EQ(s.record.tabSize, 8);
    EXPECT_EQ(s.record.contextLines, 3);
    EXPECT_EQ(s.geometry.left, 0);
    EXPECT_EQ(s.geometry.top, 0);
    EXPECT_EQ(s.geometry.width, 150);
    EXPECT_EQ(s.geometry.height, 100);
    EXPECT_EQ(s.textFont.italic, 1);
    EXPECT_EQ(s.textFont.pitchAndFamily, 255);
    EXPECT_EQ(s.textFont.weight, 0);
}

TEST(SettingsStore, MinimisedWindowKeepsThePreviousGeometry) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    writeFile(path, "[Options]\nLeft=30\nTop=40\nWidth=700\nHeight=500\n");
    SettingsStore store(path);
    Settings s = startUp(store);
    s.geometry = {-32000, -32000, 160, 30, 130, 130, -1, -1, 0};
    ASSERT_EQ(store.shutDown(s), 0);
    Settings back = reopen(path);
    EXPECT_EQ(back.geometry.left, 30);
    EXPECT_EQ(back.geometry.width, 700);
    EXPECT_EQ(back.geometry.height, 500);
}

TEST(SettingsStore, WritersRunAroundTheOptionsAndOtherInstancesKeysSurvive) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    SettingsStore store(path);
    Settings s = startUp(store);
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
    ASSERT_EQ(store.saveAll(s, writers), 0);
    EXPECT_FALSE(optionsBeforeTable);
    EXPECT_TRUE(optionsBeforeComments);
    Profile saved(path);
    ASSERT_EQ(saved.load(), 0);
    EXPECT_EQ(saved.readInt("Table Options", "ColDef type", 0), 5);
    EXPECT_EQ(saved.readString("Elsewhere", "k", ""), "v");
    // saveAll leaves the dialog values of [Files] alone.
    EXPECT_FALSE(saved.hasKey("Files", "Dir name 1"));
    EXPECT_TRUE(saved.hasKey("Files", "Select dir1"));
}

TEST(SettingsStore, GarbageFileStartsWithDefaultsAndUnwritablePlacesFailCleanly) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    }
    writeFile(path, garbage);
    Settings s = reopen(path);
    EXPECT_EQ(s.record.tabSize, 8);
    EXPECT_EQ(s.geometry.width, 640);

    writeFile(dir.file("plain"), "x");
    SettingsStore blocked(dir.file("plain") + "/tandel/tandel.ini");
    Settings b = startUp(blocked);
    EXPECT_EQ(blocked.ensureMapping(), -1);
    EXPECT_EQ(blocked.shutDown(b), -1);
    EXPECT_EQ(blocked.saveAll(b), -1);
    EXPECT_EQ(readFile(dir.file("plain")), "x");
}

TEST(SettingsStore, FilesSectionDefaultsAndSwitches) {
    TempFolder dir;
    std::string path = dir.file("tandel.ini");
    writeFile(path, "[Options]\nTab size=8\n[Files]\nDir name 1=/home/u/\nDir name 2=/\n"
                    "Out dir=/out/\nSelect dir2=/picked\n");
    SettingsStore store(path);
    Settings s;
    store.loadOptions(s);
    store.loadFilesSection(s);
    EXPECT_EQ(s.files.dirName1, "/home/u");
    EXPECT_EQ(s.files.selectDir1, "/home/u/");
    EXPECT_EQ(s.files.dirName2, "/");
    EXPECT_EQ(s.files.selectDir2, "/picked");
    EXPECT_EQ(s.files.outDir, "/out");
    EXPECT_EQ(s.files.selectOutdir, "/out/");

    PathSwitches sw;
    sw.d1 = "/d1/";
    sw.d2 = "/d2";
    sw.f2Given = true;
    sw.outd = "/dest/";
    store.loadFilesSection(s, sw);
    EXPECT_EQ(s.files.dirName1, "/d1");
    EXPECT_EQ(s.files.selectDir1, "/d1/");
    EXPECT_EQ(s.files.dirName2, "");
    EXPECT_EQ(s.files.selectDir2, "/d2");
    EXPECT_EQ(s.files.outDir, "/dest");
    EXPECT_EQ(s.files.selectOutdir, "/dest/");
}

} // namespace
} // namespace tandel
