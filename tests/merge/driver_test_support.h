// Helpers for the merge tests: a folder that cleans up after itself, file
// helpers, and the scripted frame that can run sent commands.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
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
    // Writes `bytes` to `name` in the folder, creating parent folders, and
    // returns its path; `mtime` (seconds) sets the modification time when not 0.
    std::string write(const std::string& name, const std::string& bytes,
                      std::int64_t mtime = 0) const {
        const std::string p = file(name);
        std::filesystem::create_directories(std::filesystem::path(p).parent_path());
        writeFile(p, bytes);
        if (mtime != 0) {
            const timespec t[2] = {{static_cast<time_t>(mtime), 0},
                                   {static_cast<time_t>(mtime), 0}};
            ::utimensat(AT_FDCWD, p.c_str(), t, 0);
        }
        return p;
    }
    std::string mkdir(const std::string& name) const {
        std::filesystem::create_directories(file(name));
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

    // Removes and returns the oldest posted command, or 0.
    int takePosted() {
        if (posted.empty()) {
            return 0;
        }
        const int id = posted.front();
        posted.erase(posted.begin());
        return id;
    }

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
