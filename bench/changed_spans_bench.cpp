// What the changed-character spans cost per painted row: a typical edited
// source line, a long line with a few edits, a pathological pair that falls
// back to head and tail, and a whole screen of 60 changed rows through the
// cache, cold and warm.
#include "merge/segment_map.h"
#include "panes/changed_span_cache.h"
#include "panes/changed_spans.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using namespace tandel;

std::string randomText(std::mt19937& random, std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        text += static_cast<char>('!' + random() % 90);
    }
    return text;
}

void BM_TypicalRow(benchmark::State& state) {
    const std::string one = "    if (settings.compressSpaces != 0 && line.size() > limit) {";
    const std::string two = "    if (settings.ignoreAllSpaces != 0 && text.size() >= limit) {";
    for (auto _ : state) {
        benchmark::DoNotOptimize(changedSpansOf(one, two, SpanRules{}));
    }
}
BENCHMARK(BM_TypicalRow);

void BM_LongLineFewEdits(benchmark::State& state) {
    std::mt19937 random(1);
    const std::string one = randomText(random, 10000);
    std::string two = one;
    for (std::size_t at : {500u, 5000u, 9500u}) {
        two[at] = '~';
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(changedSpansOf(one, two, SpanRules{}));
    }
}
BENCHMARK(BM_LongLineFewEdits);

void BM_UnrelatedLongLines(benchmark::State& state) {
    std::mt19937 random(2);
    const auto length = static_cast<std::size_t>(state.range(0));
    const std::string one = randomText(random, length);
    const std::string two = randomText(random, length);
    for (auto _ : state) {
        benchmark::DoNotOptimize(changedSpansOf(one, two, SpanRules{}));
    }
}
BENCHMARK(BM_UnrelatedLongLines)->Arg(200)->Arg(2000)->Arg(100000);

// Sixty rows, each one change of one line against one line.
MergeModel screenModel() {
    std::mt19937 random(3);
    MergeModel model;
    std::vector<SegmentRange> t1, g1, t2, g2;
    for (SideRecord& side : model.sides) {
        side.lineStarts.push_back(0);
    }
    for (std::int32_t i = 0; i < 60; ++i) {
        std::string line = randomText(random, 70);
        for (int s = 1; s <= 2; ++s) {
            SideRecord& side = model.side(s);
            line[static_cast<std::size_t>(random() % 70)] = '~';
            side.lineBuffer.bytes().insert(side.lineBuffer.bytes().end(), line.begin(), line.end());
            side.lineBuffer.bytes().push_back('\n');
            side.lineStarts.push_back(side.lineBuffer.size());
            ++side.lineCount;
        }
        t1.push_back({i + 1, i + 1, Choice::None});
        t2.push_back({i + 1, i + 1, Choice::None});
        g1.push_back({RANGE_NONE, RANGE_NONE});
        g2.push_back({RANGE_NONE, RANGE_NONE});
    }
    installLists(model.side(1), std::move(t1), std::move(g1));
    installLists(model.side(2), std::move(t2), std::move(g2));
    return model;
}

void BM_ScreenThroughCache(benchmark::State& state) {
    const MergeModel model = screenModel();
    ChangedSpanCache cache;
    const bool cold = state.range(0) != 0;
    for (auto _ : state) {
        if (cold) {
            cache.clear();
        }
        for (std::int64_t row = 0; row < 60; ++row) {
            benchmark::DoNotOptimize(cache.displayRow(model, SpanRules{}, row));
        }
    }
}
BENCHMARK(BM_ScreenThroughCache)->Arg(1)->Arg(0);

} // namespace
