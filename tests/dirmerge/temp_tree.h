// A temporary folder with helpers to lay out real files and read them back.
#pragma once

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>

namespace tandel::testing {

class TempTree {
public:
    TempTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dirmerge-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
    }
    ~TempTree() {
        std::error_code ec;
        // Read-only files left by a test must not stop the clean-up.
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    std::string path(const std::string& relative = "") const {
        return relative.empty() ? root_ : root_ + "/" + relative;
    }

    // Writes `text` to `relative`, creating parent folders, with modification
    // time `mtime` when it is not 0.
    std::string write(const std::string& relative, const std::string& text,
                      std::int64_t mtime = 0) const {
        const std::string p = path(relative);
        std::filesystem::create_directories(std::filesystem::path(p).parent_path());
        std::ofstream(p, std::ios::binary) << text;
        if (mtime != 0)
            setTime(p, mtime);
        return p;
    }
    std::string mkdir(const std::string& relative) const {
        std::filesystem::create_directories(path(relative));
        return path(relative);
    }
    static void setTime(const std::string& p, std::int64_t seconds) {
        const timespec t[2] = {{static_cast<time_t>(seconds), 0},
                               {static_cast<time_t>(seconds), 0}};
        ::utimensat(AT_FDCWD, p.c_str(), t, 0);
    }
    static std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static bool exists(const std::string& p) { return std::filesystem::exists(p); }

private:
    std::string root_;
};

} // namespace tandel::testing
