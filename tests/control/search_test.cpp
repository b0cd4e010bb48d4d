// The pane search against a row-by-row reference built on the display-line
// mapping, and the Find and Find Next commands around it.
#include "control/search.h"

#include "control/application.h"
#include "merge/decisions.h"
#include "merge/model_fixture.h"
#include "panes/pane_search.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using test::installScript;
using test::setLines;

// What the user sees, row by row: side 1's line, and inside a segment side
// 2's line, each where that side shows a file line.
std::int64_t referenceHitRow(const MergeModel& model, const TextMatcher& matcher,
                             std::int64_t begin) {
    const SideRecord& one = model.side(1);
    const SideRecord& two = model.side(2);
    const bool lists = one.hasLists() && two.hasLists();
    const std::int64_t rows = lists ? displayLineCount(model) : one.lineCount;
    for (std::int64_t d = std::max<std::int64_t>(begin, 0); d < rows; ++d) {
        const std::int64_t l1 = displayToLine(one, d).line;
        if (l1 >= 0 && l1 < one.lineCount && matcher.matches(one.line(l1))) {
            return d;
        }
        const bool inSegment = lists && (l1 < 0 || findSegment(one, l1, SegmentKind::Text) >= 0);
        const std::int64_t l2 = displayToLine(two, d).line;
        if (inSegment && l2 >= 0 && l2 < two.lineCount && matcher.matches(two.line(l2))) {
            return d;
        }
    }
    return -1;
}

TEST(PaneSearchTest, AgreesWithTheRowByRowReference) {
    std::mt19937 random(3);
    const std::vector<std::string> words = {"alpha", "beta", "Gamma", "delta"};
    const auto randomLines = [&](std::int32_t n, const std::string& tag) {
        std::vector<std::string> lines;
        for (std::int32_t i = 0; i < n; ++i) {
            lines.push_back(words[random() % words.size()] + tag + std::to_string(random() % 9));
        }
        return lines;
    };
    const auto below = [&](std::int64_t n) {
        return static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(n));
    };
    int hits = 0;
    for (int round = 0; round < 30; ++round) {
        std::int32_t lines1 = 0;
        std::int32_t lines2 = 0;
        MergeModel model;
        const std::string script = test::randomScript(random, lines1, lines2);
        setLines(model.side(1), randomLines(lines1, "<"));
        setLines(model.side(2), randomLines(lines2, ">"));
        if (round % 5 != 0) { // some rounds search files never compared
            installScript(model, script);
        }
        if (round % 3 == 0) { // splits leave empty gaps and one-sided parts
            test::FakeFrame frame;
            SettingsRecord settings;
            for (int k = 0; k < 20; ++k) {
                static_cast<void>(splitAt(model, settings, frame, below(lines1)));
            }
        }
        ASSERT_TRUE(listsFitFiles(model));
        for (int probe = 0; probe < 40; ++probe) {
            const std::string text = words[random() % words.size()] + (random() % 2 ? "<" : ">") +
                                     std::to_string(random() % 9);
            const TextMatcher matcher(text, probe % 2 == 0);
            const std::int64_t begin = below(lines1 + 5) - 1;
            const std::int64_t row = firstHitRow(model, matcher, begin);
            ASSERT_EQ(row, referenceHitRow(model, matcher, begin))
                << "round " << round << " text " << text << " from " << begin;
            hits += row >= 0;
        }
    }
    EXPECT_GT(hits, 600); // most probes find something
}

class SearchTest : public ::testing::Test {
protected:
    // Side 1 a b c . d e, side 2 a B c x d . (dots are fillers).
    SearchTest() { build({"a", "b", "c", "d", "e"}, {"a", "B", "c", "x", "d"}, "2c2\n3a4\n5d5\n"); }

    void build(const std::vector<std::string>& one, const std::vector<std::string>& two,
               const std::string& script) {
        setLines(app.model.side(1), one);
        setLines(app.model.side(2), two);
        installScript(app.model, script);
        app.settings.record.rowCount = static_cast<std::int32_t>(displayLineCount(app.model));
        app.settings.record.topLine = 0;
    }
    // Search with the text; the top line afterwards, or -1 when not found.
    std::int64_t find(const std::string& text, bool ignoreCase = false) {
        return runSearch(app, text, ignoreCase) ? app.settings.record.topLine : -1;
    }
    std::vector<std::string> infos() const { return frame.shown(Severity::Info); }

    test::FakeFrame frame;
    Application app{frame};
};

TEST_F(SearchTest, FailuresLeaveTheViewAndSayWhy) {
    app.settings.record.topLine = 2;
    app.frameState.lastFoundPosition = 4;
    EXPECT_EQ(find(""), -1);
    EXPECT_EQ(find("zzz"), -1);
    EXPECT_EQ(app.frameState.lastFoundPosition, -1);
    // Under ignore case only the first 255 bytes of a line take part.
    build({std::string(253, '.') + "xyz"}, {"other"}, "1c1\n");
    EXPECT_EQ(find("XYZ", true), -1);
    EXPECT_EQ(find("xyz", false), 0);
    app.settings.record.notYetCompared = 1;
    EXPECT_EQ(find("x"), -1);
    findCommand(app); // nor is the Find dialog opened
    EXPECT_TRUE(frame.findDialogs.empty());
    EXPECT_EQ(infos(),
              (std::vector<std::string>{kNoSearchStringMessage, kNotFoundMessage, kNotFoundMessage,
                                        kNotComparedMessage, kNotComparedMessage}));
    EXPECT_EQ(app.settings.record.topLine, 0);
}

TEST_F(SearchTest, ListsThatDoNotFitTheFilesAreNotSearched) {
    // A result for a longer file 1 than the one loaded.
    build({"a", "b"}, {"a", "c"}, "2c2\n7c7\n");
    EXPECT_EQ(find("a"), -1);
    EXPECT_EQ(frame.shown(Severity::Error), std::vector<std::string>{kBadDifferencesMessage});
    EXPECT_EQ(infos(), std::vector<std::string>{kNotFoundMessage});
    EXPECT_EQ(paneSearch(app.model, frame, -1, TextMatcher("a", false)), -1);
    EXPECT_EQ(frame.shown(Severity::Error).size(), 2u);
    // A change appended after file 1's last line fits.
    build({"a"}, {"a", "new"}, "1a2\n");
    EXPECT_EQ(find("new"), 1);
}

} // namespace
} // namespace tandel
