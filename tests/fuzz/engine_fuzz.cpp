// The comparison engine on two texts with random options, comment
// definitions and table definitions. The result file is read back as the
// application reads it: every hunk must lie within the two texts, and the
// status must agree with what the file holds.
#include "engine/compare_settings.h"
#include "engine/engine.h"
#include "engine/table_reducer.h"
#include "fuzz_support.h"
#include "merge/script_reader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

class QuietSink : public tandel::MessageSink {
public:
    void engineMessage(const std::string& /*text*/) override {}
};

std::int32_t lineCount(const std::string& text) {
    const auto feeds = std::count(text.begin(), text.end(), '\n');
    return static_cast<std::int32_t>(feeds + (!text.empty() && text.back() != '\n' ? 1 : 0));
}

void checkRanges(const std::vector<tandel::SegmentRange>& list, std::int32_t lines) {
    for (const tandel::SegmentRange& range : list) {
        if (range.present())
            tandel::fuzz::require(range.first >= 1 && range.last <= lines,
                                  "a hunk lies within its text");
    }
}

tandel::CompareSettings tableSettings(FuzzedDataProvider& in) {
    tandel::CompareSettings settings;
    settings.tableMode = 1;
    settings.columnType = in.ConsumeIntegralInRange(0, tandel::kColumnTypeCount - 1);
    settings.customCharset = in.ConsumeRandomLengthString(8);
    settings.customSeparators = in.ConsumeRandomLengthString(8);
    settings.ignoreMultiSeps = in.ConsumeBool() ? 1 : 0;
    settings.inclusive = in.ConsumeBool() ? 1 : 0;
    for (int i = in.ConsumeIntegralInRange(0, 3); i > 0; --i) {
        const int first = in.ConsumeIntegralInRange(1, 40);
        tandel::insertColumnRange(settings.positions,
                                  {first, first + in.ConsumeIntegralInRange(0, 10)});
    }
    std::vector<long long> columns;
    for (int i = in.ConsumeIntegralInRange(0, 3); i > 0; --i)
        columns.push_back(in.ConsumeIntegralInRange(0, 6));
    (settings.inclusive != 0 ? settings.included : settings.ignored).assign(columns);
    tandel::rebuildColumnTable(settings);
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = tandel::fuzz::scratchFolder();
    static const std::string output = folder + "/result";
    static const std::string names[2] = {folder + "/first", folder + "/second"};
    static const bool made = [] {
        std::ofstream(names[0]).flush();
        std::ofstream(names[1]).flush();
        return true;
    }();
    (void)made;

    FuzzedDataProvider in(data, size);
    std::vector<std::string> words{"diff", "-s"};
    for (const char* option : {"-a", "-b", "-w", "-i", "-B", "-H", "-q", "-d"}) {
        if (in.ConsumeBool())
            words.emplace_back(option);
    }
    tandel::EngineContext context;
    // Both ways of splitting the lines, whatever the size.
    context.parallelFrom = in.ConsumeBool() ? 0 : SIZE_MAX;
    tandel::CompareSettings settings;
    std::unique_ptr<tandel::TableReducer> reducer;
    if (in.ConsumeBool()) {
        context.ignoreComments = true;
        for (int i = in.ConsumeIntegralInRange(0, 2); i > 0; --i) {
            tandel::CommentDefinition comment{in.ConsumeRandomLengthString(4),
                                              in.ConsumeRandomLengthString(4)};
            if (!comment.begin.empty() && !comment.end.empty())
                context.comments.push_back(std::move(comment));
        }
    }
    if (in.ConsumeBool()) {
        settings = tableSettings(in);
        reducer = std::make_unique<tandel::TableReducer>(settings);
        context.table = reducer.get();
        context.skipLeadingWhiteSpace = true;
    }
    const std::string first = in.ConsumeRandomLengthString(size);
    const std::string second = in.ConsumeRemainingBytesAsString();

    // Caller copies with exactly the spare room, so that the sanitizer sees any
    // access beyond it.
    std::vector<char> copies[2];
    const std::string* texts[2] = {&first, &second};
    tandel::EngineText lent[2];
    for (int side = 0; side < 2; ++side) {
        copies[side].assign(texts[side]->begin(), texts[side]->end());
        copies[side].resize(texts[side]->size() + tandel::kEngineSpareBytes);
        lent[side] = {copies[side].data(), texts[side]->size()};
    }
    words.insert(words.end(), {"-o", output, names[0], names[1]});
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // A run that writes nothing (-q) must not be judged by the last run's file.
    std::remove(output.c_str());
    QuietSink sink;
    tandel::Engine engine;
    const int status = static_cast<int>(
        engine.run(static_cast<int>(words.size()), argv.data(), lent[0], lent[1], sink, context));
    tandel::fuzz::require(status == 0 || status == 1, "two texts compare without trouble");

    std::ifstream result(output, std::ios::binary); // absent: reads as empty
    tandel::ScriptLists lists;
    const tandel::ScriptOutcome outcome = tandel::readScript(result, false, lists);
    if (status == 0)
        tandel::fuzz::require(outcome == tandel::ScriptOutcome::Identical,
                              "same texts leave the identical report");
    if (status == 1 && outcome == tandel::ScriptOutcome::Different) {
        checkRanges(lists.text1, lineCount(first));
        checkRanges(lists.text2, lineCount(second));
    }
    return 0;
}
