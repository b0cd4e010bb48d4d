#include "frame/command_ids.h"
#include "merge/driver_test_support.h"
#include "merge/side_loader.h"
#include "model_fixture.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tandel {
namespace {

std::vector<std::string> linesOf(const SideRecord& side) {
    std::vector<std::string> lines;
    for (std::int32_t i = 0; i < side.lineCount; ++i) {
        lines.emplace_back(side.line(i));
    }
    return lines;
}

// The lines with the ends they came with: the file again.
std::string rejoined(const SideRecord& side) {
    std::string bytes;
    for (std::int32_t i = 0; i < side.lineCount; ++i) {
        bytes.append(side.line(i));
        bytes.append(side.lineEnd(i));
    }
    return bytes;
}

class Loader : public ::testing::Test {
protected:
    SideRecord& load(const std::string& bytes, int s = 1) {
        EXPECT_EQ(loadSide(model, settings, frame, dir.write("f.txt", bytes), s),
                  LoadResult::Loaded);
        return model.side(s);
    }
    testing_support::TempFolder dir;
    MergeModel model;
    test::FakeFrame frame;
    SettingsRecord settings;
};

TEST_F(Loader, LinesHoldTheirTextAndKeepTheirEndsApart) {
    const std::string nul("before\0after", 12);
    const std::string longLine(70000, 'w');
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
        std::string engine; // what the engine compares: every line ended by a line feed
        LineEndStyle style;
    };
    for (const Case& c : {
             Case{"lf\r\ncrlf\r\nlone\rcr\nlast\r",
                  {"lf", "crlf", "lone\rcr", "last\r"},
                  "lf\ncrlf\nlone\rcr\nlast\r\n",
                  LineEndStyle::Mixed},
             Case{"a\r\nb\r\nc", {"a", "b", "c"}, "a\nb\nc\n", LineEndStyle::CrLf},
             Case{"", {}, "", LineEndStyle::NoLines},
             Case{"\n\n", {"", ""}, "\n\n", LineEndStyle::Lf},
             Case{std::string(9000, '\n'), std::vector<std::string>(9000), std::string(9000, '\n'),
                  LineEndStyle::Lf},
             Case{longLine + "\n" + nul + "\n",
                  {longLine, nul},
                  longLine + "\n" + nul + "\n",
                  LineEndStyle::Lf},
         }) {
        SCOPED_TRACE(c.bytes.substr(0, 20));
        const SideRecord& side = load(c.bytes);
        EXPECT_FALSE(side.binary);
        EXPECT_EQ(linesOf(side), c.lines);
        EXPECT_EQ(std::string(side.lineBuffer.data(), side.engineSize), c.engine);
        EXPECT_EQ(side.lineEndStyle(), c.style);
        EXPECT_EQ(rejoined(side), c.bytes);
        EXPECT_GE(side.lineBuffer.size(), side.engineSize + kEngineSpareBytes);
    }
    // A NUL byte near the start makes the file binary: kept whole, unsplit.
    const std::string binary = nul + "\r\nmore\n";
    const SideRecord& side = load(binary);
    EXPECT_TRUE(side.binary);
    EXPECT_EQ(linesOf(side), std::vector<std::string>{binary});

    // Past the size from which files are mapped, every way a line may end
    // splits as in a file that is read, and the file stays as it was.
    std::string big;
    while (big.size() < (std::size_t{3} << 20)) {
        big += "lf\ncrlf\r\nlone\rcr\n\n\r\n";
    }
    big += "caf\xe9\nlast\r";
    const SideRecord& mapped = load(big);
    ASSERT_TRUE(mapped.lineBuffer.isMapped());
    EXPECT_EQ(mapped.encoding, LineEncoding::Windows1252); // judged to the last line
    EXPECT_TRUE(rejoined(mapped) == big);
    EXPECT_EQ(mapped.lineCount, std::count(big.begin(), big.end(), '\n') + 1);
    std::string engine;
    for (const std::string& line : linesOf(mapped)) {
        engine += line + "\n";
    }
    EXPECT_TRUE(std::string(mapped.lineBuffer.data(), mapped.engineSize) == engine);
    EXPECT_TRUE(dir.read("f.txt") == big);

    // Line feeds and CRs anywhere, lines of every length around the scan's
    // steps: the lines and their ends give the file back.
    std::mt19937 random(64);
    for (int round = 0; round < 40; ++round) {
        std::string bytes(random() % 600, 'a');
        for (char& c : bytes) {
            const auto pick = random() % 16;
            c = pick == 0 ? '\n' : pick == 1 ? '\r' : pick == 2 ? '\xe9' : c;
        }
        EXPECT_TRUE(rejoined(load(bytes)) == bytes) << ::testing::PrintToString(bytes);
    }
}

TEST_F(Loader, UnreadableFileLeavesTheSideAsItWas) {
    load("keep\n");
    EXPECT_EQ(loadSide(model, settings, frame, dir.file("missing"), 1), LoadResult::NotLoaded);
    EXPECT_EQ(loadSide(model, settings, frame, dir.path() + "/", 1),
              LoadResult::NotLoaded); // the folder itself
    EXPECT_EQ(frame.shown(Severity::Error),
              (std::vector<std::string>{
                  "Unable to open file " + dir.file("missing") + ": No such file or directory",
                  "Unable to open file " + dir.path() + "/: Is a directory"}));
    EXPECT_EQ(linesOf(model.side(1)), std::vector<std::string>{"keep"});
    EXPECT_EQ(model.side(1).fileName, dir.file("f.txt"));
}

TEST_F(Loader, ComparisonStartsOnceBothSidesAreLoaded) {
    frame.preview = true;
    load("a\n", 1);
    EXPECT_FALSE(frame.preview);
    EXPECT_EQ(settings.notYetCompared, 1);
    EXPECT_TRUE(frame.posted.empty());
    load("b\n", 2);
    EXPECT_EQ(frame.posted, std::vector<int>{cmd::kCompareFiles});
    // The comparison clears the flags; a single load then starts nothing.
    model.loadedSinceComparison = {false, false};
    load("c\n", 1);
    EXPECT_EQ(frame.posted.size(), 1u);
    // During the directory walk the comparison runs before the load returns.
    settings.directoryWalk = 1;
    load("d\n", 2);
    EXPECT_EQ(frame.sent, std::vector<int>{cmd::kCompareFiles});
}

TEST_F(Loader, NamesDialogsAndDropsLoadOneFile) {
    dir.write("named.txt", "x\n");
    EXPECT_EQ(loadByName(model, settings, frame, "named.txt", dir.path() + "/", 1),
              LoadResult::Loaded);
    EXPECT_EQ(model.side(1).fileName, dir.file("named.txt"));
    EXPECT_EQ(loadByName(model, settings, frame, "nothing.txt", "", 2), LoadResult::NotLoaded);
    EXPECT_TRUE(frame.messages.empty());

    // The open dialog remembers the folder.
    Settings all;
    all.files.dirName2 = "/start";
    frame.openAnswers = {dir.write("chosen.txt", "y\n")};
    EXPECT_EQ(openSide(model, all, frame, 2), LoadResult::Loaded);
    EXPECT_EQ(all.files.dirName2, dir.path());
    EXPECT_EQ(openSide(model, all, frame, 2), LoadResult::NotLoaded); // cancelled

    // A drop loads exactly one file, and nothing during the walk.
    const std::string one = dir.write("one.txt", "1\n");
    EXPECT_EQ(loadDropped(model, settings, frame, {one, dir.file("chosen.txt")}, 1),
              LoadResult::NotLoaded);
    EXPECT_EQ(frame.shown(Severity::Warning),
              std::vector<std::string>{"Only one file can be dropped"});
    settings.directoryWalk = 1;
    EXPECT_EQ(loadDropped(model, settings, frame, {one}, 2), LoadResult::NotLoaded);
    EXPECT_EQ(model.side(2).fileName, dir.file("chosen.txt"));
    settings.directoryWalk = 0;
    EXPECT_EQ(loadDropped(model, settings, frame, {one}, 2), LoadResult::Loaded);
    EXPECT_EQ(model.side(2).fileName, one);
}

} // namespace
} // namespace tandel
