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

#include <random>
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
        side.lineBuffer.bytes().insert(side.lineBuffer.bytes().end(), line.begin(), line.end());
        side.lineBuffer.bytes().push_back('\n');
        side.lineStarts.push_back(side.lineBuffer.size());
    }
    side.lineCount = static_cast<std::int32_t>(lines.size());
    side.engineSize = side.lineBuffer.size();
    side.engineCopy.assign(side.lineBuffer.data(), side.lineBuffer.data() + side.lineBuffer.size());
}

// Installs the lists read from `script` into both sides; returns the outcome.
inline ScriptOutcome installScript(MergeModel& model, const std::string& script) {
    std::istringstream in(script);
    ScriptLists lists;
    const ScriptOutcome outcome = readScript(in, false, lists);
    installLists(model.side(1), std::move(lists.text1), std::move(lists.gap1));
    installLists(model.side(2), std::move(lists.text2), std::move(lists.gap2));
    return outcome;
}

// A random pair of files' worth of hunks: changes of unequal sizes, additions
// and deletions, separated by common runs.
inline std::string randomScript(std::mt19937& random, std::int32_t& lines1, std::int32_t& lines2) {
    std::string script;
    std::int32_t at1 = 0;
    std::int32_t at2 = 0;
    for (int h = 0; h < 60; ++h) {
        const int common = static_cast<int>(random() % 4);
        at1 += common;
        at2 += common;
        const int kind = static_cast<int>(random() % 3);
        const int n1 = 1 + static_cast<int>(random() % 4);
        const int n2 = 1 + static_cast<int>(random() % 4);
        auto range = [](std::int32_t first, int n) {
            return n == 1 ? std::to_string(first)
                          : std::to_string(first) + "," + std::to_string(first + n - 1);
        };
        if (kind == 0) {
            script += range(at1 + 1, n1) + "c" + range(at2 + 1, n2) + "\n";
            at1 += n1;
            at2 += n2;
        } else if (kind == 1) {
            script += std::to_string(at1) + "a" + range(at2 + 1, n2) + "\n";
            at2 += n2;
        } else {
            script += range(at1 + 1, n1) + "d" + std::to_string(at2) + "\n";
            at1 += n1;
        }
    }
    lines1 = at1 + 3;
    lines2 = at2 + 3;
    return script;
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
    std::string merged() { return mergedText(model, frame, false); }

    MergeModel model;
    FakeFrame frame;
    SettingsRecord settings;
};

// a b c d e against a B c x d: a change on row 1, an addition on row 3, a deletion on row 5.
class ExampleTest : public ModelTest {
protected:
    void SetUp() override {
        build({"a", "b", "c", "d", "e"}, {"a", "B", "c", "x", "d"}, "2c2\n3a4\n5d5\n");
    }
};

} // namespace tandel::test
