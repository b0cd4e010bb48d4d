// What the panes pay per painted screen: 60 rows mapped to lines and segments
// on both sides, with 1,000,000 lines and 100,000 segments.
#include "merge/merge_model.h"
#include "merge/segment_map.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace tandel;

constexpr std::int32_t kLines = 1'000'000;
constexpr std::int32_t kSegments = 100'000;

// One hunk every ten lines: changes of unequal sizes, additions and deletions.
MergeModel makeModel() {
    MergeModel model;
    std::mt19937 random(11);
    std::vector<SegmentRange> t1, g1, t2, g2;
    const SegmentRange none{RANGE_NONE, RANGE_NONE, Choice::None};
    std::int32_t at1 = 0;
    std::int32_t at2 = 0;
    for (std::int32_t i = 0; i < kSegments; ++i) {
        at1 += 7;
        at2 += 7;
        const int n1 = 1 + static_cast<int>(random() % 3);
        const int n2 = 1 + static_cast<int>(random() % 3);
        switch (random() % 3) {
        case 0:
            t1.push_back({at1 + 1, at1 + n1, Choice::None});
            t2.push_back({at2 + 1, at2 + n2, Choice::None});
            g1.push_back(n2 > n1 ? SegmentRange{at1 + n1 + 1, at1 + n2, Choice::None} : none);
            g2.push_back(n1 > n2 ? SegmentRange{at2 + n2 + 1, at2 + n1, Choice::None} : none);
            at1 += n1;
            at2 += n2;
            break;
        case 1:
            t1.push_back(none);
            g1.push_back({at1 + 1, at1 + n2, Choice::None});
            t2.push_back({at2 + 1, at2 + n2, Choice::None});
            g2.push_back(none);
            at2 += n2;
            break;
        default:
            t1.push_back({at1 + 1, at1 + n1, Choice::None});
            g1.push_back(none);
            t2.push_back(none);
            g2.push_back({at2 + 1, at2 + n1, Choice::None});
            at1 += n1;
            break;
        }
    }
    // Common lines after the last hunk fill side 1 up to a million.
    model.side(1).lineCount = kLines;
    model.side(2).lineCount = kLines - at1 + at2;
    installLists(model.side(1), std::move(t1), std::move(g1));
    installLists(model.side(2), std::move(t2), std::move(g2));
    return model;
}

void MapOneScreen(benchmark::State& state) {
    const MergeModel model = makeModel();
    const std::int64_t rows = displayLineCount(model);
    std::mt19937 random(5);
    for (auto _ : state) {
        const std::int64_t top =
            static_cast<std::int64_t>(random() % static_cast<unsigned>(rows - 60));
        for (std::int64_t d = top; d < top + 60; ++d) {
            for (int s = 1; s <= 2; ++s) {
                const SideRecord& side = model.side(s);
                const DisplayPosition p = displayToLine(side, d);
                const std::int32_t segment = p.line < 0
                                                 ? findSegment(side, d, SegmentKind::Gap)
                                                 : findSegment(side, p.line, SegmentKind::Text);
                benchmark::DoNotOptimize(segment);
            }
        }
    }
}
BENCHMARK(MapOneScreen)->Unit(benchmark::kMicrosecond);

void RebuildAfterSplit(benchmark::State& state) {
    MergeModel model = makeModel();
    for (auto _ : state) {
        rebuildIndex(model.side(1));
        rebuildIndex(model.side(2));
    }
}
BENCHMARK(RebuildAfterSplit)->Unit(benchmark::kMillisecond);

} // namespace
