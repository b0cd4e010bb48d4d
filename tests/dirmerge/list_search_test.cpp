#include "dirmerge/list_search.h"

#include "control/application.h"
#include "control/command_router.h"
#include "dirmerge/directory_merge.h"
#include "frame/command_ids.h"
#include "merge/fake_frame.h"
#include "control/search.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

ComparisonRow row(const std::string& left, const std::string& right) {
    ComparisonRow r;
    r.left.path = left;
    r.right.path = right;
    r.left.state = left.empty() ? ROW_ABSENT : ROW_DIFFERENT;
    r.right.state = right.empty() ? ROW_ABSENT : ROW_DIFFERENT;
    return r;
}

struct ListSearchTest : ::testing::Test {
    test::FakeFrame frame;
    std::vector<ComparisonRow> rows = {row("/l/Alpha.txt", "/r/alpha.txt"), row("/l/beta.c", ""),
                                       row("", "/r/BETA.h"), row("/l/gamma", "/r/gamma")};
    std::int64_t search(std::vector<int> order, std::int64_t after, const std::string& text,
                        bool ignoreCase = false) {
        return ListSearch(rows, order, after, TextMatcher(text, ignoreCase), frame);
    }
};

TEST_F(ListSearchTest, TestsTheLeftNameThenTheRightOneBelowTheRowGiven) {
    const std::vector<int> order = {0, 1, 2, 3};
    EXPECT_EQ(search(order, -1, "alpha"), 0); // right list: the left name has a capital
    EXPECT_EQ(search(order, -1, "alpha", true), 0);
    EXPECT_EQ(search(order, 0, "BETA"), 2);
    EXPECT_EQ(search(order, 2, "beta", true), -1);
    EXPECT_EQ(search(order, -1, "gamma"), 3);
    EXPECT_EQ(frame.listHits,
              (std::vector<std::pair<int, std::int64_t>>{{2, 0}, {1, 0}, {2, 2}, {1, 3}}));
    // Rows are searched in the order the lists show them.
    frame.listHits.clear();
    EXPECT_EQ(search({3, 2, 1, 0}, -1, "beta", true), 1);
    EXPECT_EQ(search({3, 2, 1, 0}, 1, "beta", true), 2);
    EXPECT_EQ(frame.listHits, (std::vector<std::pair<int, std::int64_t>>{{2, 1}, {1, 2}}));
}

TEST_F(ListSearchTest, FindNextInTheDirectoryWindowWrapsOverTheShownRows) {
    Application app{frame};
    app.frameState.directoryWindow = true;
    DirectoryMerge directories{app, "/opt/tandel", [](const std::vector<std::string>&) {}};
    directories.state.rows = rows;
    std::vector<int> order = {3, 2, 1, 0};
    CommandRouter router{app, directories, RouterInputs{{}, {}, {}, [&] { return order; }}};
    app.frameState.searchText = "E";
    app.frameState.ignoreCase = true;
    std::vector<std::int64_t> found;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(router.route(cmd::kFindNext));
        found.push_back(app.frameState.lastFoundPosition);
    }
    EXPECT_EQ(found, (std::vector<std::int64_t>{1, 2, 1, 2}));
    EXPECT_EQ(frame.listHits.front(), std::make_pair(2, std::int64_t{1}));
    app.frameState.searchText = "zzz";
    ASSERT_TRUE(router.route(cmd::kFindNext));
    EXPECT_EQ(app.frameState.lastFoundPosition, -1);
    EXPECT_EQ(frame.shown(Severity::Info), std::vector<std::string>{kNotFoundMessage});
}

} // namespace
} // namespace tandel
