// Builds merge models for tests: sides from literal lines and lists from a
// normal-format result.
#pragma once

#include "merge/fake_frame.h"
#include "merge/merge_model.h"
#include "merge/merged_output.h"
#include "merge/script_reader.h"
#include "merge/segment_map.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tandel::test {

inline void setLines(SideRecord& side, const std::vector<std::string>& lines,
                     const std::string& name = {}) {
    side = SideRecord{};
    side.fileName = name;
    side.lineStarts.push_back(0);
    for (const std::string& line : lines) {
        side.lineBuffer.insert(side.lineBuffer.end(), line.begin(), line.end());
        side.lineBuffer.push_back('\n');
        side.lineStarts.push_back(side.lineBuffer.size());
    }
    side.lineCount = static_cast<std::int32_t>(lines.size());
    side.engineSize = side.lineBuffer.size();
    side.engineCopy.assign(side.lineBuffer.begin(), side.lineBuffer.end());
}

// Installs the lists read from `script` into both sides; returns the outcome.
inline ScriptOutcome installScript(MergeModel& model, const std::string& script) {
    std::istringstream in(script);
    ScriptLists lists;
    const ScriptOutcome outcome = ReadScript(in, false, lists);
    InstallLists(model.side(1), std::move(lists.text1), std::move(lists.gap1));
    InstallLists(model.side(2), std::move(lists.text2), std::move(lists.gap2));
    return outcome;
}

// A model with a frame and display settings, for tests of the merge steps.
class ModelTest : public ::testing::Test {
protected:
    void build(const std::vector<std::string>& one, const std::vector<std::string>& two,
               const std::string& script) {
        setLines(model.side(1), one);
        setLines(model.side(2), two);
        installScript(model, script);
    }
    std::string merged() { return MergedText(model, frame, false); }

    MergeModel model;
    FakeFrame frame;
    SettingsRecord settings;
};

} // namespace tandel::test
