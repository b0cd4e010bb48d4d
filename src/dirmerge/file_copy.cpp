#include "dirmerge/file_copy.h"

#include <cerrno>
#include <memory>
#include <vector>

namespace tandel {

IoStatus copyFileReplacing(FileSystem& files, const std::string& source, const std::string& target,
                           std::optional<std::uint32_t> permissions) {
    FileStatus from;
    if (const IoStatus looked = files.status(source, from); !looked.ok())
        return looked;
    if (!from.isRegular())
        return IoStatus::failure(from.kind == FileKind::Missing ? ENOENT : EINVAL);
    std::unique_ptr<FileReader> in;
    if (const IoStatus opened = files.openReader(source, in); !opened.ok())
        return opened;
    WriteOptions options;
    options.setPermissions = true;
    options.permissions = permissions.value_or(from.permissions);
    std::unique_ptr<FileWriter> out;
    if (const IoStatus opened = files.openWriter(target, options, out); !opened.ok())
        return opened;
    std::vector<char> buffer(std::size_t{1} << 16);
    for (;;) {
        std::size_t got = 0;
        if (const IoStatus read = in->read(buffer.data(), buffer.size(), got); !read.ok())
            return read; // the dropped writer leaves the target as it was
        if (got == 0)
            break;
        if (const IoStatus written = out->write(std::string_view(buffer.data(), got));
            !written.ok())
            return written;
    }
    if (const IoStatus committed = out->commit(); !committed.ok())
        return committed;
    // Times are best effort: a file system that refuses them still gets the copy.
    (void)files.setTimes(out->target(), from.accessTime, from.writeTime);
    return {};
}

} // namespace tandel
