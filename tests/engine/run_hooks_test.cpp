// The caller's cancel flag and progress sink: a cancelled run stops at any
// phase with no message and no result, and the progress only grows, to 1000.
#include "engine/analyze.h"
#include "engine/input_file.h"
#include "engine/read_inputs.h"
#include "engine/run_hooks.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace tandel {
namespace {

using testing::CallerText;
using testing::EngineHarness;

std::string numberedLines(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers)
        text += "line " + std::to_string(n) + "\n";
    return text;
}

// Lines 1..count, and the same lines in random order: costly to search, and
// the exact search (-d) takes far longer than any test runs.
struct ReorderedPair {
    explicit ReorderedPair(int count) {
        std::vector<int> numbers(static_cast<std::size_t>(count));
        std::iota(numbers.begin(), numbers.end(), 1);
        first = numberedLines(numbers);
        std::shuffle(numbers.begin(), numbers.end(), std::mt19937(9));
        second = numberedLines(numbers);
    }
    std::string first;
    std::string second;
};

// Watches the progress from another thread: records every value it sees and,
// once the progress reaches `cancelAt`, sets the cancel flag.
class Watcher {
public:
    Watcher(std::atomic<std::uint32_t>& progress, std::atomic<bool>& cancel, std::uint32_t cancelAt)
        : thread_([&, cancelAt] {
              while (!done_.load()) {
                  const std::uint32_t seen = progress.load();
                  if (values_.empty() || values_.back() != seen)
                      values_.push_back(seen);
                  if (seen >= cancelAt)
                      cancel.store(true);
                  std::this_thread::yield();
              }
          }) {}
    ~Watcher() { stop(); }

    const std::vector<std::uint32_t>& stop() {
        done_.store(true);
        if (thread_.joinable())
            thread_.join();
        return values_;
    }

private:
    std::atomic<bool> done_{false};
    std::vector<std::uint32_t> values_;
    std::thread thread_;
};

TEST(RunHooksTest, ACancelledRunShowsNothingAndWritesNothing) {
    std::atomic<bool> cancel{true};
    std::atomic<std::uint32_t> progress{0};
    EngineHarness h;
    h.context.cancel = &cancel;
    h.context.progress = &progress;
    EXPECT_EQ(h.compare("a\nb\n", "a\nc\n"), 3);
    EXPECT_FALSE(h.outputExists());
    EXPECT_TRUE(h.sink.messages.empty());
    EXPECT_LT(progress.load(), 1000u);

    // A result kept in memory gets nothing either.
    StringWriter writer("memory");
    h.context.output = &writer;
    CallerText text0("a\n");
    CallerText text1("b\n");
    EXPECT_EQ(h.runWords({"diff", h.folder.write("x", "a\n"), h.folder.write("y", "b\n")},
                         text0.view(), text1.view()),
              3);
    EXPECT_EQ(writer.text(), "");

    // Cleared, the same engine compares again.
    cancel.store(false);
    EXPECT_EQ(h.outcome("a\nb\n", "a\nc\n"), "1:2c2\n");
    EXPECT_EQ(progress.load(), 1000u);
}

// Cancelled while split, classified, discarded or searched, on a pair whose
// exact search would take minutes.
TEST(RunHooksTest, ARunStopsInEveryPhase) {
    const ReorderedPair pair(400000);
    for (const std::uint32_t at : {EngineProgress::kSplitting + 1, EngineProgress::kClassifying,
                                   (EngineProgress::kDiscarding + EngineProgress::kSearching) / 2,
                                   EngineProgress::kSearching}) {
        SCOPED_TRACE(at);
        std::atomic<bool> cancel{false};
        std::atomic<std::uint32_t> progress{0};
        EngineHarness h;
        h.context.cancel = &cancel;
        h.context.progress = &progress;
        h.context.parallelFrom = at == 1 ? 0 : kParallelFromBytes;
        Watcher watcher(progress, cancel, at);
        EXPECT_EQ(h.compare(pair.first, pair.second, {"-d"}), 3);
        const std::vector<std::uint32_t> seen = watcher.stop();
        EXPECT_FALSE(h.outputExists());
        EXPECT_TRUE(h.sink.messages.empty());
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        EXPECT_GE(seen.back(), at);
    }
}

// Each stage on its own stops at its first look at the flag.
TEST(RunHooksTest, EveryStageLooksAtTheFlag) {
    const std::atomic<bool> cancel{true};
    const RunHooks hooks(&cancel, nullptr);
    const ReorderedPair pair(1000);
    CallerText text0(pair.first);
    CallerText text1(pair.second);
    InputFile first;
    InputFile second;
    first.buffer = text0.view().data;
    first.length = text0.length;
    second.buffer = text1.view().data;
    second.length = text1.length;
    EXPECT_THROW(readInputs(first, second, false, LineRules(), false, EngineContext(), hooks),
                 RunCancelled);

    std::vector<int> a(2000);
    std::vector<int> b(2000);
    for (std::size_t i = 0; i < a.size(); ++i) {
        a[i] = static_cast<int>(i % 50) + 1;
        b[i] = static_cast<int>((i * 7) % 50) + 1;
    }
    EditScript script;
    EXPECT_THROW((void)computeEditScript(a, b, 51, {.hooks = &hooks}, script), RunCancelled);
}

// A comparison that differs ends at 1000 in every run of the property test;
// so does any other outcome short of a cancel: same, trouble, usage error.
TEST(RunHooksTest, ProgressEndsAtAThousandWhateverTheOutcome) {
    std::atomic<std::uint32_t> progress{0};
    EngineHarness h;
    h.context.progress = &progress;
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"diff", "-o", h.output, h.folder.write("s", "x\n"),
                                   h.folder.file("s")},
          std::vector<std::string>{"diff", "-o", h.output, h.folder.file("missing"),
                                   h.folder.file("s")},
          std::vector<std::string>{"diff", "-c"}}) {
        progress.store(7);
        (void)h.runWords(words);
        EXPECT_EQ(progress.load(), 1000u) << words.size();
    }
}

} // namespace
} // namespace tandel
