// A private folder per test, removed with everything in it afterwards, and
// byte-exact file helpers. Shared by every core test suite.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tandel::testing {

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
        // Without its folder a test would write into the current one, or pass
        // on nothing: it must fail instead.
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder from " + pattern);
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, ignored);
        }
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
    struct Entry {
        std::string name;
        std::string bytes;
        std::int64_t mtime = 0;
    };
    // Writes each entry as write() does.
    void writeAll(std::span<const Entry> entries) const {
        for (const Entry& e : entries)
            write(e.name, e.bytes, e.mtime);
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

} // namespace tandel::testing
