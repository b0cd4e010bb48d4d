#include "settings/kept_copy.h"

#include <cerrno>

namespace tandel {

namespace {

// Enough for every copy anyone would look through; past it something keeps
// breaking the file, and no more copies help.
constexpr int kMostCopies = 100;

// True when `path` holds exactly `bytes`.
bool holds(FileSystem& files, const std::string& path, std::string_view bytes) {
    InputBytes input;
    return files.readInput(path, 0, input).ok() &&
           std::string_view(input.bytes.data(), input.length) == bytes;
}

IoStatus write(FileSystem& files, const std::string& path, std::string_view bytes) {
    WriteOptions options;
    // The settings name the user's folders; the copy is as private as a new file allows.
    options.setPermissions = true;
    options.permissions = 0600;
    std::unique_ptr<FileWriter> writer;
    IoStatus status = files.openWriter(path, options, writer);
    if (status.ok()) {
        status = writer->write(bytes);
    }
    if (status.ok()) {
        status = writer->commit();
    }
    return status;
}

} // namespace

IoStatus keepCopy(FileSystem& files, const std::string& path, std::string_view bytes,
                  std::string& copy) {
    for (int n = 0; n < kMostCopies; ++n) {
        copy = path + ".bad";
        if (n > 0) {
            copy += '.';
            copy += std::to_string(n);
        }
        FileStatus status;
        const IoStatus examined = files.status(copy, status, false);
        if (!examined.ok()) {
            return examined;
        }
        if (status.kind == FileKind::Missing) {
            return write(files, copy, bytes);
        }
        if (status.isRegular() && holds(files, copy, bytes)) {
            return {};
        }
    }
    return IoStatus::failure(EEXIST);
}

} // namespace tandel
