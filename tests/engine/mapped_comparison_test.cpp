// The engine on mapped inputs, as tandel-diff runs it: the same results as on
// copies, and an input cut short by another thread during the comparison
// stops the run (the fault sets the cancel flag) instead of crashing it.
#include "base/input_text.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <unistd.h>

namespace tandel {
namespace {

using testing::EngineHarness;

constexpr std::uint64_t kNoLimit = std::uint64_t{1} << 40;

std::string manyLines(int count, int changedEvery) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (changedEvery > 0 && i % changedEvery == 0 ? "changed " : "line ") +
                std::to_string(i) + "\n";
    return text;
}

struct MappedPair {
    MappedPair(EngineHarness& h, const std::string& first, const std::string& second) {
        names[0] = h.folder.write("first", first);
        names[1] = h.folder.write("second", second);
        for (int side = 0; side < 2; ++side) {
            ok = ok &&
                 openInputText(names[side], kNoLimit, kEngineSpareBytes, &faulted, texts[side])
                     .ok() &&
                 texts[side].isMapped();
        }
    }
    int run(EngineHarness& h, std::vector<std::string> options = {}) {
        return h.runWords(h.command(options, names[0], names[1]),
                          {texts[0].data(), texts[0].length()},
                          {texts[1].data(), texts[1].length()});
    }

    std::string names[2];
    std::atomic<bool> faulted{false};
    InputText texts[2];
    bool ok = true;
};

TEST(MappedComparisonTest, MappedInputsCompareAsCopiesDo) {
    const std::string first = manyLines(5000, 0) + "no newline";
    const std::string second = manyLines(5000, 700) + "no newline";
    EngineHarness copies;
    const std::string expected = copies.outcome(first, second);
    for (const char* option : {"-b", "-i"}) {
        SCOPED_TRACE(option);
        EngineHarness mapped;
        MappedPair pair(mapped, first, second);
        ASSERT_TRUE(pair.ok);
        const int status = pair.run(mapped, {option});
        EXPECT_EQ(std::to_string(status) + ":" + mapped.result(), expected);
        EXPECT_TRUE(pair.texts[0].unchanged() && pair.texts[1].unchanged());
    }
}

TEST(MappedComparisonTest, AnInputCutShortDuringTheComparisonStopsIt) {
    EngineHarness h;
    std::atomic<std::uint32_t> progress{0};
    h.context.progress = &progress;
    h.context.parallelFrom = 0;
    MappedPair pair(h, manyLines(400000, 0), manyLines(400000, 1000));
    ASSERT_TRUE(pair.ok);
    h.context.cancel = &pair.faulted;
    // Cut as soon as the lines are being split, so that most of the file is
    // read after the cut.
    std::thread cutter([&] {
        while (progress.load() == 0)
            std::this_thread::yield();
        ASSERT_EQ(::truncate(pair.names[1].c_str(), 0), 0);
    });
    const int status = pair.run(h, {"-d"});
    cutter.join();
    EXPECT_FALSE(pair.texts[1].unchanged());
    // A run that read past the cut stopped with nothing written; one that
    // had read everything before it finished, and the caller sees the change.
    if (pair.faulted.load()) {
        EXPECT_EQ(status, 3);
        EXPECT_FALSE(h.outputExists());
    } else {
        EXPECT_EQ(status, 1);
    }
}

} // namespace
} // namespace tandel
