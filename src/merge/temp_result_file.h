// The temporary file that receives one comparison's normal-format result. It
// exists, empty, from creation until the object is destroyed.
#pragma once

#include "base/file_system.h"

#include <optional>
#include <string>
#include <vector>

namespace tandel {

inline constexpr const char* kTempPrefix = "$3781";
inline constexpr const char* kTempFallbackName = "tmp$3781.bin";

class TempResultFile {
public:
    TempResultFile(TempResultFile&& other) noexcept;
    TempResultFile& operator=(TempResultFile&& other) noexcept;
    TempResultFile(const TempResultFile&) = delete;
    TempResultFile& operator=(const TempResultFile&) = delete;
    ~TempResultFile();

    // Creates the file exclusively, with the prefix "$3781", in the first of
    // `directories` where that works; failing all of them, creates
    // "tmp$3781.bin" in `fallbackDirectory` (empty: the current directory).
    // Nothing when no file could be made.
    static std::optional<TempResultFile> create(FileSystem& files,
                                                const std::vector<std::string>& directories,
                                                const std::string& fallbackDirectory = {});

    const std::string& path() const { return path_; }

private:
    TempResultFile(FileSystem& files, std::string path) : files_(&files), path_(std::move(path)) {}
    void removeFile();
    FileSystem* files_;
    std::string path_;
};

// $TMP, then $TMPDIR, then /tmp; unset or empty variables are skipped.
std::vector<std::string> temporaryDirectories();

} // namespace tandel
