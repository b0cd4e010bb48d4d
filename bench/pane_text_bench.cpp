// What the panes pay for the text of one painted screen: 60 rows of both
// panes described, decoded and expanded (with line numbers), over a
// 1,000,000-line pair with 100 changes. Lines are source-like: indented with
// tabs, some with UTF-8, some in Latin-1. Also a row of a one-megabyte line,
// and the Copy of a full screen.
#include "merge/merge_model.h"
#include "merge/segment_map.h"
#include "panes/line_expansion.h"
#include "panes/pane_rows.h"
#include "panes/selection_text.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using namespace tandel;

constexpr std::int32_t kLines = 1'000'000;
constexpr std::int32_t kChanges = 100;
constexpr std::int32_t kTabSize = 8;
constexpr std::int64_t kScreenRows = 60;

void fill(SideRecord& side, std::int32_t lines, std::uint32_t seed) {
    std::mt19937 random(seed);
    const std::string bodies[] = {
        "if (value != nullptr && value->count > limit) { return compute(value); }",
        "// r\xC3\xA9sum\xC3\xA9 of the na\xC3\xAFve caf\xC3\xA9 \xE2\x82\xAC 12",
        "std::string name = \"stra\xDF"
        "e\"; // Latin-1 byte",
        "x = y + z;",
    };
    side.lineStarts.assign(1, 0);
    for (std::int32_t i = 0; i < lines; ++i) {
        const std::string line = std::string(random() % 4, '\t') + bodies[random() % 4];
        side.lineBuffer.bytes().insert(side.lineBuffer.bytes().end(), line.begin(), line.end());
        side.lineBuffer.bytes().push_back('\n');
        side.lineStarts.push_back(side.lineBuffer.size());
    }
    side.lineCount = lines;
}

// Changes of one line every 10,000 lines: no filler rows, 100 segments.
MergeModel makeModel() {
    MergeModel model;
    fill(model.side(1), kLines, 1);
    fill(model.side(2), kLines, 2);
    std::vector<SegmentRange> text;
    std::vector<SegmentRange> gap;
    for (std::int32_t i = 0; i < kChanges; ++i) {
        const std::int32_t line = (i + 1) * (kLines / (kChanges + 1));
        text.push_back({line, line, Choice::None});
        gap.push_back({RANGE_NONE, RANGE_NONE, Choice::None});
    }
    text.push_back({});
    gap.push_back({});
    installLists(model.side(1), text, gap);
    installLists(model.side(2), std::move(text), std::move(gap));
    return model;
}

void PaintOneScreenOfText(benchmark::State& state) {
    const MergeModel model = makeModel();
    std::mt19937 random(5);
    std::u32string shown;
    for (auto _ : state) {
        const auto top = static_cast<std::int64_t>(random() % (kLines - kScreenRows));
        for (std::int64_t row = top; row < top + kScreenRows; ++row) {
            for (int s = 1; s <= 2; ++s) {
                const PaneRow pane = describeRow(model.side(s), row);
                shownTextOf(model.side(s).line(pane.line), kTabSize, 0, shown);
                benchmark::DoNotOptimize(lineNumberLabel(pane.line));
                benchmark::DoNotOptimize(shown.data());
            }
        }
    }
}
BENCHMARK(PaintOneScreenOfText)->Unit(benchmark::kMicrosecond);

void ShowRowOfMegabyteLine(benchmark::State& state) {
    const std::string line = std::string(1 << 20, 'x') + "\xC3\xA9";
    std::u32string shown;
    for (auto _ : state) {
        shownTextOf(line, kTabSize, 40, shown);
        benchmark::DoNotOptimize(shown.data());
    }
}
BENCHMARK(ShowRowOfMegabyteLine)->Unit(benchmark::kMicrosecond);

void CopyOneScreen(benchmark::State& state) {
    const MergeModel model = makeModel();
    const TextSelection selection{1, {500'000, 3, 0}, {500'000 + kScreenRows, 20, 0}, false};
    for (auto _ : state) {
        benchmark::DoNotOptimize(selectionClipboardText(model.side(1), selection, kTabSize));
    }
}
BENCHMARK(CopyOneScreen)->Unit(benchmark::kMicrosecond);

} // namespace
