// The reader of the engine's normal-format result on any bytes: whatever it
// accepts must form four parallel lists that end with the end entry, with
// ranges that run forwards.
#include "fuzz_support.h"
#include "merge/script_reader.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

void checkList(const std::vector<tandel::SegmentRange>& list, std::size_t size) {
    using tandel::fuzz::require;
    require(list.size() == size, "the four lists have one length");
    require(list.back().isEnd(), "a list ends with the end entry");
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        const tandel::SegmentRange& range = list[i];
        require(!range.isEnd(), "only the last entry ends a list");
        if (range.present())
            require(range.first >= 0 && range.last >= range.first - 1, "ranges run forwards");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const bool directoryWindow : {false, true}) {
        std::istringstream in(text);
        tandel::ScriptLists lists;
        const tandel::ScriptOutcome outcome = tandel::readScript(in, directoryWindow, lists);
        const std::size_t n = lists.text1.size();
        if (outcome == tandel::ScriptOutcome::Identical || n == 0) {
            tandel::fuzz::require(lists.gap1.empty() && lists.text2.empty() && lists.gap2.empty(),
                                  "no lists, or four");
        } else {
            checkList(lists.text1, n);
            checkList(lists.gap1, n);
            checkList(lists.text2, n);
            checkList(lists.gap2, n);
        }
    }
    return 0;
}
