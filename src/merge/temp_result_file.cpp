#include "merge/temp_result_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

namespace tandel {

namespace {

std::optional<std::string> createFallback(const std::string& directory) {
    std::string path = directory;
    if (!path.empty() && path.back() != '/') {
        path.push_back('/');
    }
    path += kTempFallbackName;
    // A fixed name cannot be exclusive (a stale copy may exist); refusing to
    // follow a link keeps a planted symlink from redirecting the write.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return std::nullopt;
    }
    ::close(fd);
    return path;
}

} // namespace

TempResultFile::TempResultFile(TempResultFile&& other) noexcept
    : files_(other.files_), path_(std::exchange(other.path_, {})) {}

TempResultFile& TempResultFile::operator=(TempResultFile&& other) noexcept {
    if (this != &other) {
        removeFile();
        files_ = other.files_;
        path_ = std::exchange(other.path_, {});
    }
    return *this;
}

TempResultFile::~TempResultFile() {
    removeFile();
}

void TempResultFile::removeFile() {
    if (!path_.empty()) {
        (void)files_->remove(path_); // a file already gone is no loss
        path_.clear();
    }
}

std::optional<TempResultFile> TempResultFile::create(FileSystem& files,
                                                     const std::vector<std::string>& directories,
                                                     const std::string& fallbackDirectory) {
    for (const auto& directory : directories) {
        std::string path;
        if (files.createUnique(directory, kTempPrefix, path).ok()) {
            return TempResultFile(files, std::move(path));
        }
    }
    if (auto path = createFallback(fallbackDirectory)) {
        return TempResultFile(files, std::move(*path));
    }
    return std::nullopt;
}

std::vector<std::string> temporaryDirectories() {
    std::vector<std::string> directories;
    for (const char* name : {"TMP", "TMPDIR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            directories.emplace_back(value);
        }
    }
    directories.emplace_back("/tmp");
    return directories;
}

} // namespace tandel
