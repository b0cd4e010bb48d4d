#include "engine/compare_operands.h"

#include "engine/compare_files.h"
#include "engine/engine_run.h"
#include "engine/input_file.h"

#include <algorithm>
#include <sys/stat.h>
#include <vector>

namespace tandel {
namespace {

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty())
        return name;
    const char last = directory.back();
    return last == '/' || last == '\\' ? directory + name : directory + "/" + name;
}

// Only a status: nothing is opened here, so a pipe is opened once, by the read.
bool takeStatus(EngineRun& run, InputFile& input) {
    bool ok;
    if (input.descriptor == 0) {
        struct stat st {};
        ok = ::fstat(0, &st) == 0;
        input.status = FileStatus{};
        input.status.kind = S_ISREG(st.st_mode) ? FileKind::Regular : FileKind::Pipe;
        input.status.size = static_cast<std::uint64_t>(st.st_size);
        input.status.device = st.st_dev;
        input.status.inode = st.st_ino;
    } else {
        ok = run.files.status(input.name, input.status).ok() &&
             input.status.kind != FileKind::Missing;
    }
    input.isDirectory = ok && input.descriptor != 0 && input.status.isDirectory();
    return ok;
}

bool listDirectory(EngineRun& run, const std::string& path, std::vector<std::string>& names) {
    std::vector<FolderEntry> entries;
    if (!run.files.listFolder(path, entries).ok())
        return false;
    for (FolderEntry& entry : entries)
        names.push_back(std::move(entry.name));
    std::sort(names.begin(), names.end());
    return true;
}

// Either side may be absent (`present` false): its entries are then all
// missing, and each entry of the other side is compared against nothing.
Verdict compareDirectories(EngineRun& run, const std::string& path0, bool present0,
                           const std::string& path1, bool present1, int depth) {
    std::vector<std::string> names[2];
    const std::string* paths[2] = {&path0, &path1};
    const bool present[2] = {present0, present1};
    for (int side = 0; side < 2; ++side) {
        if (present[side] && !listDirectory(run, *paths[side], names[side])) {
            run.message("Error in file " + *paths[side]);
            return Verdict::Trouble;
        }
    }
    Verdict status = Verdict::Same;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < names[0].size() || j < names[1].size()) {
        std::optional<std::string> name0;
        std::optional<std::string> name1;
        if (j == names[1].size() || (i < names[0].size() && names[0][i] < names[1][j])) {
            name0 = names[0][i++];
        } else if (i == names[0].size() || names[1][j] < names[0][i]) {
            name1 = names[1][j++];
        } else {
            name0 = names[0][i++];
            name1 = names[1][j++];
        }
        run.hooks.checkpoint();
        status = std::max(status, compareOperands(run, path0, name0, path1, name1, depth + 1));
    }
    return status;
}

// A directory already on the walk's path, reached again through a link to
// "." or to a parent, would be walked without end: the pair is reported as
// trouble and the walk goes on with the rest.
Verdict walkDirectories(EngineRun& run, const InputFile (&inputs)[2], const bool (&present)[2],
                        int depth) {
    for (int side = 0; side < 2; ++side) {
        const std::vector<FileStatus>& walked = run.walkedDirectories[side];
        const FileStatus& status = inputs[side].status;
        if (present[side] &&
            std::any_of(walked.begin(), walked.end(),
                        [&](const FileStatus& above) { return above.sameFileAs(status); })) {
            run.message(inputs[side].name + ": recursive directory loop");
            return Verdict::Trouble;
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (present[side])
            run.walkedDirectories[side].push_back(inputs[side].status);
    }
    const Verdict status =
        compareDirectories(run, inputs[0].name, present[0], inputs[1].name, present[1], depth);
    for (int side = 0; side < 2; ++side) {
        if (present[side])
            run.walkedDirectories[side].pop_back();
    }
    return status;
}

Verdict compareExaminedFiles(EngineRun& run, InputFile (&inputs)[2], int depth) {
    // With -a the white-space rules decide, so a size difference proves nothing.
    if (run.options.brief && !run.options.alwaysText &&
        inputs[0].status.size != inputs[1].status.size) {
        const auto regularOrAbsent = [](const InputFile& input) {
            return input.descriptor == -1 || input.status.isRegular();
        };
        if (regularOrAbsent(inputs[0]) && regularOrAbsent(inputs[1])) {
            run.report("Files " + inputs[0].name + " and " + inputs[1].name + " differ\n", depth);
            return Verdict::Different;
        }
    }
    return compareFiles(run, inputs[0], inputs[1], depth);
}

} // namespace

Verdict compareOperands(EngineRun& run, const std::string& directory0,
                        const std::optional<std::string>& name0, const std::string& directory1,
                        const std::optional<std::string>& name1, int depth) {
    const EngineOptions& options = run.options;
    if (!name0 || !name1) {
        if (!options.newFile && !(options.firstSideNewFile && !name0)) {
            run.report(name0 ? "File " + *name0 + " only in " + directory0
                             : "File " + *name1 + " only in " + directory1,
                       depth);
            return Verdict::Different;
        }
    }

    const std::string* names[2] = {name0 ? &*name0 : &*name1, name1 ? &*name1 : &*name0};
    const std::string* directories[2] = {&directory0, &directory1};
    const bool present[2] = {name0.has_value(), name1.has_value()};
    InputFile inputs[2];
    for (int side = 0; side < 2; ++side) {
        InputFile& input = inputs[side];
        // A text the caller lends is that file's, whatever its name: "-" is
        // standard input only when nobody has read it already.
        const bool lent = depth == 0 && run.callerTexts[side].data != nullptr;
        if (*names[side] == "-" && present[side] && !lent) {
            input.name = "Standard Input";
            input.descriptor = 0;
        } else {
            input.name = joinPath(*directories[side], *names[side]);
            input.useCallerText = depth == 0;
        }
        if (!present[side])
            continue;
        if (lent) {
            // The caller has read the file: its text is the file, wherever
            // the name now leads.
            input.status = FileStatus{};
            input.status.kind = FileKind::Regular;
            input.status.size = run.callerTexts[side].length;
            continue;
        }
        if (!takeStatus(run, input)) {
            run.message("Error in file " + input.name);
            return Verdict::Trouble;
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (!present[side]) {
            inputs[side].descriptor = -1;
            inputs[side].useCallerText = false;
            inputs[side].status = inputs[1 - side].status;
            inputs[side].isDirectory = inputs[1 - side].isDirectory;
        }
    }

    if (depth == 0 && inputs[0].isDirectory != inputs[1].isDirectory) {
        const int dir = inputs[0].isDirectory ? 0 : 1;
        const InputFile& other = inputs[1 - dir];
        if (other.descriptor == 0)
            run.message("Can not compare to a directory");
        const std::string& otherName = *names[1 - dir];
        const std::size_t slash = otherName.rfind('/');
        InputFile& input = inputs[dir];
        input.name = input.name + "/" +
                     (slash == std::string::npos ? otherName : otherName.substr(slash + 1));
        input.useCallerText = false;
        if (!takeStatus(run, input)) {
            run.message("Error in file " + input.name);
            return Verdict::Trouble;
        }
    }

    Verdict status;
    const bool oneSided = !present[0] || !present[1];
    if (oneSided && inputs[0].isDirectory) {
        // The absent side took the present side's status, so both look like
        // directories; a one-sided directory is still not a common one.
        const int side = present[0] ? 0 : 1;
        if (options.recursive && (options.newFile || (options.firstSideNewFile && !present[0]))) {
            status = walkDirectories(run, inputs, present, depth);
        } else {
            run.report("Only in " + *directories[side] + ": " + *names[side] + "\n", depth);
            status = Verdict::Different;
        }
    } else if (inputs[0].isDirectory && inputs[1].isDirectory) {
        if (depth > 0 && !options.recursive) {
            run.report("Common subdirectories: " + inputs[0].name + " and " + inputs[1].name + "\n",
                       depth);
            status = Verdict::Same;
        } else {
            status = walkDirectories(run, inputs, present, depth);
        }
    } else if (!inputs[0].isDirectory && !inputs[1].isDirectory) {
        status = compareExaminedFiles(run, inputs, depth);
    } else {
        const int dir = inputs[0].isDirectory ? 0 : 1;
        run.report(inputs[dir].name + " is a directory but " + inputs[1 - dir].name + " is not\n",
                   depth);
        status = Verdict::Different;
    }

    if (status == Verdict::Same && !inputs[0].isDirectory) {
        if (run.beginOutput() && options.reportIdentical)
            run.output.write("Files " + inputs[0].name + " and " + inputs[1].name +
                             " are identical\n");
        run.finishOutput();
    } else if (status != Verdict::Same) {
        run.flushOutput();
    }
    return status;
}

} // namespace tandel
