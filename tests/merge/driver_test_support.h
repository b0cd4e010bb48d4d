// Helpers for the merge tests: a folder that cleans up after itself, file
// helpers, and the scripted frame that can run sent commands.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "merge/fake_frame.h"
#include "merge/frame.h"

namespace tandel::testing_support {

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tandel-test-XXXXXX");
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Writes `bytes` to `name` in the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        writeFile(file(name), bytes);
        return file(name);
    }
    std::string read(const std::string& name) const { return readFile(file(name)); }
    // The names in the folder, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

// The shared fake, running sent commands through a handler as the walk needs.
class DispatchingFrame : public test::FakeFrame {
public:
    std::function<void(int)> onSend;

    void sendCommand(int id) override {
        FakeFrame::sendCommand(id);
        if (onSend) {
            onSend(id);
        }
    }
    bool shownText(Severity severity, const std::string& text) const {
        const auto texts = shown(severity);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    std::string allMessages() const {
        std::ostringstream out;
        for (const auto& [severity, text] : messages) {
            out << static_cast<int>(severity) << ' ' << text << '\n';
        }
        return out.str();
    }
};

} // namespace tandel::testing_support
