// Builds merge models for tests: sides from literal lines and lists from a
// normal-format result, and temporary folders with files.
#pragma once

#include "merge/merge_model.h"
#include "merge/script_reader.h"
#include "merge/segment_map.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tandel-model-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return path_ + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
        out << bytes;
        return path(name);
    }
    std::string read(const std::string& name) const { return readPath(path(name)); }
    static std::string readPath(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

private:
    std::string path_;
};

} // namespace tandel::test
