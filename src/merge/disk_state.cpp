#include "merge/disk_state.h"

#include "frame/frame.h"
#include "merge/save.h"

namespace tandel {

namespace {

bool sameState(const FileStatus& a, const FileStatus& b) {
    return a.kind == b.kind && a.size == b.size && a.writeTime == b.writeTime &&
           a.device == b.device && a.inode == b.inode;
}

bool isLoadedFile(FileSystem& files, const SideRecord& side, const std::string& target) {
    return !side.fileName.empty() &&
           (side.fileName == target || sameFile(files, side.fileName, target));
}

} // namespace

bool changedSinceLoad(FileSystem& files, const SideRecord& side) {
    if (side.fileName.empty() || !side.loadedStatus.isRegular()) {
        return false;
    }
    FileStatus now;
    if (!files.status(side.fileName, now).ok()) {
        return false; // nothing to learn; the next read reports why
    }
    return !sameState(now, side.loadedStatus);
}

bool changedByOthers(FileSystem& files, const SideRecord& side) {
    if (!changedSinceLoad(files, side)) {
        return false;
    }
    FileStatus now;
    return !files.status(side.fileName, now).ok() || side.writtenStatus.kind == FileKind::Missing ||
           !sameState(now, side.writtenStatus);
}

void noteWritten(MergeModel& model, const std::string& target) {
    FileSystem& files = *model.files;
    for (SideRecord& side : model.sides) {
        FileStatus now;
        if (isLoadedFile(files, side, target) && files.status(side.fileName, now).ok()) {
            side.writtenStatus = now;
        }
    }
}

bool confirmReplace(const MergeModel& model, Frame& frame, const std::string& target) {
    FileSystem& files = *model.files;
    FileStatus there;
    if (!files.status(target, there).ok() || there.kind == FileKind::Missing) {
        return true;
    }
    for (const SideRecord& side : model.sides) {
        if (isLoadedFile(files, side, target) && changedByOthers(files, side) &&
            !frame.confirmOverwrite(
                {QuestionKind::ChangedOnDisk, target,
                 "File " + target + " has changed on disk since it was loaded.\nSave anyway ?"})) {
            return false;
        }
    }
    // Nobody may write a file without write permission: its owner chose so.
    if (there.isRegular() && (there.permissions & 0222) == 0) {
        return frame.confirmOverwrite({QuestionKind::ReadOnly, target,
                                       "File " + target + " is read-only.\nReplace it anyway ?"});
    }
    return askToOverwrite(frame, target);
}

std::optional<std::uint32_t> resultPermissions(const MergeModel& model) {
    for (const SideRecord& side : model.sides) {
        if (side.loadedStatus.isRegular()) {
            return side.loadedStatus.permissions;
        }
    }
    return std::nullopt;
}

} // namespace tandel
