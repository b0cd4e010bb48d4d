#include "dirmerge/directory_selection.h"

#include "dirmerge/destination_check.h"
#include "dirmerge/ensure_directory.h"

#include <utility>

namespace tandel {

namespace {

bool ensureNamed(FileSystem& files, Frame& frame, const std::string& path, const char* what) {
    if (path.empty()) {
        frame.message(Severity::Error, std::string("Enter a folder for ") + what);
        return false;
    }
    return ensureNamedDirectory(files, frame, path);
}

// A folder typed or browsed to as "Other:" that is one of the directories
// was not chosen as that directory: merging into it is asked first.
bool mergeInPlaceAllowed(FileSystem& files, Frame& frame, const SelectionForm& form,
                         const std::string& destination) {
    if (form.choice != kToOther)
        return true;
    const std::pair<const char*, const std::string*> sides[] = {{"Directory 1", &form.dir1},
                                                                {"Directory 2", &form.dir2}};
    for (const auto& [name, dir] : sides) {
        if (placementOf(files, destination, *dir) == Placement::Same)
            return frame.confirmOverwrite(
                {QuestionKind::MergeInPlace, destination,
                 "The destination " + destination + " is " + name +
                     " itself: merged files replace its own.\nMerge into " + name + "?"});
    }
    return true;
}

} // namespace

DestinationChoice destinationChoiceOf(int stored) {
    return stored == kToDirectory1 || stored == kToDirectory2
               ? static_cast<DestinationChoice>(stored)
               : kToOther;
}

bool confirmSelection(FileSystem& disk, Frame& frame, const SelectionForm& form, Settings& settings,
                      DirectorySelection& chosen) {
    FilesSection& files = settings.files;
    files.selectDir1 = form.dir1;
    if (!ensureNamed(disk, frame, files.selectDir1, "Directory 1"))
        return false;
    files.selectDir2 = form.dir2;
    if (!ensureNamed(disk, frame, files.selectDir2, "Directory 2"))
        return false;
    switch (form.choice) {
    case kToDirectory1:
        files.selectOutdir = files.selectDir1;
        break;
    case kToDirectory2:
        files.selectOutdir = files.selectDir2;
        break;
    case kToOther:
        files.selectOutdir = form.other;
        break;
    }
    settings.geometry.outDirUIType = form.choice;
    if (files.selectOutdir.empty())
        return ensureNamed(disk, frame, files.selectOutdir, "the destination");
    // Judged before the destination is made, so a refused one is not left behind.
    if (const std::string refusal =
            destinationRefusal(disk, files.selectDir1, files.selectDir2, files.selectOutdir);
        !refusal.empty()) {
        frame.message(Severity::Error, refusal);
        return false;
    }
    if (!mergeInPlaceAllowed(disk, frame, form, files.selectOutdir))
        return false;
    if (!ensureNamed(disk, frame, files.selectOutdir, "the destination"))
        return false;
    chosen.dir1 = files.selectDir1;
    chosen.dir2 = files.selectDir2;
    chosen.destination = files.selectOutdir;
    chosen.showDirectories = form.showDirectories;
    return true;
}

} // namespace tandel
