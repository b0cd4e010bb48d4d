#include "dirmerge/file_copy.h"

#include <memory>

namespace tandel {

int copyFileReplacing(FileSystem& files, const std::string& source, const std::string& target) {
    InputBytes input;
    if (!files.readInput(source, 0, input).ok() || !input.status.isRegular())
        return -1;
    WriteOptions options;
    options.setPermissions = true;
    options.permissions = input.status.permissions;
    std::unique_ptr<FileWriter> out;
    if (!files.openWriter(target, options, out).ok() ||
        !out->write(std::string_view(input.bytes.data(), input.length)).ok() || !out->commit().ok())
        return -1;
    // Times are best effort: a file system that refuses them still gets the copy.
    (void)files.setTimes(out->target(), input.status.accessTime, input.status.writeTime);
    return 0;
}

} // namespace tandel
