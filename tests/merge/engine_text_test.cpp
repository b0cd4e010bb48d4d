#include "fake_frame.h"
#include "merge/side_loader.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tandel {
namespace {

class NoMessages : public MessageSink {
public:
    void engineMessage(const std::string& text) override { ADD_FAILURE() << text; }
};

std::vector<std::string> linesOf(const SideRecord& side) {
    std::vector<std::string> lines;
    for (std::int32_t i = 0; i < side.lineCount; ++i) {
        lines.emplace_back(side.line(i));
    }
    return lines;
}

// The engine borrows the displayed lines for runs that only read them; runs
// that blank comments must work on a copy. Either way the panes keep showing
// the files as loaded, run after run.
TEST(EngineText, RunsLeaveTheDisplayedLinesAsLoaded) {
    char pattern[] = "/tmp/tandel-engine-text-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::filesystem::path folder(pattern);
    const std::string one = (folder / "one").string();
    const std::string two = (folder / "two").string();
    std::ofstream(one, std::ios::binary) << "x = 1; /* old */\r\n  b\tc \nlast";
    std::ofstream(two, std::ios::binary) << "x = 1; /* new note */\nb c\nlast\n";

    MergeModel model;
    SettingsRecord settings;
    test::FakeFrame frame;
    ASSERT_TRUE(ReadFile(realFileSystem(), one, frame, model.side(1)));
    ASSERT_TRUE(ReadFile(realFileSystem(), two, frame, model.side(2)));
    const std::vector<std::string> shown1 = linesOf(model.side(1));
    const std::vector<std::string> shown2 = linesOf(model.side(2));
    ASSERT_EQ(shown1, (std::vector<std::string>{"x = 1; /* old */", "  b\tc ", "last"}));

    EngineContext comments;
    comments.ignoreComments = true;
    comments.comments = {{"/*", "*/"}};
    struct Run {
        std::vector<std::string> options;
        bool rewrites;
        int status;
    };
    const std::vector<Run> runs = {
        {{}, false, 1},    {{"-b"}, false, 1}, {{"-w"}, false, 1},
        {{"-b"}, true, 1}, {{"-w"}, true, 0},  {{}, false, 1},
    };
    Engine engine;
    NoMessages sink;
    const std::string result = (folder / "result").string();
    for (const Run& run : runs) {
        std::vector<std::string> arguments{"diff", "-s", "-a"};
        arguments.insert(arguments.end(), run.options.begin(), run.options.end());
        arguments.insert(arguments.end(), {"-o", result, one, two});
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        const auto status = engine.run(static_cast<int>(arguments.size()), argv.data(),
                                       model.side(1).engineText(run.rewrites),
                                       model.side(2).engineText(run.rewrites), sink,
                                       run.rewrites ? comments : EngineContext{});
        EXPECT_EQ(static_cast<int>(status), run.status) << arguments.size();
        EXPECT_EQ(linesOf(model.side(1)), shown1);
        EXPECT_EQ(linesOf(model.side(2)), shown2);
    }
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tandel
