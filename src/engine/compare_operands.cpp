#include "engine/compare_operands.h"

#include "engine/compare_files.h"
#include "engine/engine_run.h"
#include "engine/input_file.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace tandel {
namespace {

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty())
        return name;
    const char last = directory.back();
    return last == '/' || last == '\\' ? directory + name : directory + "/" + name;
}

bool takeStatus(InputFile& input) {
    const int result = input.descriptor == 0 ? ::fstat(0, &input.status)
                                             : ::stat(input.name.c_str(), &input.status);
    input.isDirectory = result == 0 && input.descriptor != 0 && S_ISDIR(input.status.st_mode);
    return result == 0;
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

bool listDirectory(const std::string& path, std::vector<std::string>& names) {
    const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(path.c_str()));
    if (!directory)
        return false;
    errno = 0;
    while (const dirent* entry = ::readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
        errno = 0;
    }
    if (errno != 0)
        return false;
    std::sort(names.begin(), names.end());
    return true;
}

// Either side may be absent (`present` false): its entries are then all
// missing, and each entry of the other side is compared against nothing.
int compareDirectories(EngineRun& run, const std::string& path0, bool present0,
                       const std::string& path1, bool present1, int depth) {
    std::vector<std::string> names[2];
    const std::string* paths[2] = {&path0, &path1};
    const bool present[2] = {present0, present1};
    for (int side = 0; side < 2; ++side) {
        if (present[side] && !listDirectory(*paths[side], names[side])) {
            run.message("Error in file " + *paths[side]);
            return 2;
        }
    }
    int status = 0;
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
        status = std::max(status, compareOperands(run, path0, name0, path1, name1, depth + 1));
    }
    return status;
}

bool openInput(EngineRun& run, InputFile& input) {
    if (input.descriptor == -1 || input.descriptor == 0)
        return true;
    do {
        input.descriptor = ::open(input.name.c_str(), O_RDONLY | O_CLOEXEC);
    } while (input.descriptor < 0 && errno == EINTR);
    if (input.descriptor < 0) {
        run.message("Error in file " + input.name);
        return false;
    }
    input.ownsDescriptor = true;
    return true;
}

bool closeInput(EngineRun& run, InputFile& input) {
    if (!input.ownsDescriptor)
        return true;
    input.ownsDescriptor = false;
    if (::close(input.descriptor) == 0)
        return true;
    run.message("Error in file " + input.name);
    return false;
}

int compareExaminedFiles(EngineRun& run, InputFile (&inputs)[2], int depth) {
    // With -a the white-space rules decide, so a size difference proves nothing.
    if (run.options.brief && !run.options.alwaysText &&
        inputs[0].status.st_size != inputs[1].status.st_size) {
        const auto regularOrAbsent = [](const InputFile& input) {
            return input.descriptor == -1 || S_ISREG(input.status.st_mode);
        };
        if (regularOrAbsent(inputs[0]) && regularOrAbsent(inputs[1])) {
            run.report("Files " + inputs[0].name + " and " + inputs[1].name + " differ\n", depth);
            return 1;
        }
    }
    int status = 2;
    if (openInput(run, inputs[0]) && openInput(run, inputs[1]))
        status = compareFiles(run, inputs[0], inputs[1], depth);
    const bool closed0 = closeInput(run, inputs[0]);
    const bool closed1 = closeInput(run, inputs[1]);
    return closed0 && closed1 ? status : 2;
}

} // namespace

int compareOperands(EngineRun& run, const std::string& directory0,
                    const std::optional<std::string>& name0, const std::string& directory1,
                    const std::optional<std::string>& name1, int depth) {
    const EngineOptions& options = run.options;
    if (!name0 || !name1) {
        if (!options.newFile && !(options.firstSideNewFile && !name0)) {
            run.report(name0 ? "File " + *name0 + " only in " + directory0
                             : "File " + *name1 + " only in " + directory1,
                       depth);
            return 1;
        }
    }

    const std::string* names[2] = {name0 ? &*name0 : &*name1, name1 ? &*name1 : &*name0};
    const std::string* directories[2] = {&directory0, &directory1};
    const bool present[2] = {name0.has_value(), name1.has_value()};
    InputFile inputs[2];
    for (int side = 0; side < 2; ++side) {
        InputFile& input = inputs[side];
        if (*names[side] == "-" && present[side]) {
            input.name = "Standard Input";
            input.descriptor = 0;
        } else {
            input.name = joinPath(*directories[side], *names[side]);
            input.useCallerText = depth == 0;
        }
        if (!present[side])
            continue;
        if (!takeStatus(input)) {
            run.message("Error in file " + input.name);
            return 2;
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
        if (!takeStatus(input)) {
            run.message("Error in file " + input.name);
            return 2;
        }
    }

    int status;
    const bool oneSided = !present[0] || !present[1];
    if (oneSided && inputs[0].isDirectory) {
        // The absent side took the present side's status, so both look like
        // directories; a one-sided directory is still not a common one.
        const int side = present[0] ? 0 : 1;
        if (options.recursive && (options.newFile || (options.firstSideNewFile && !present[0]))) {
            status = compareDirectories(run, inputs[0].name, present[0], inputs[1].name, present[1],
                                        depth);
        } else {
            run.report("Only in " + *directories[side] + ": " + *names[side] + "\n", depth);
            status = 1;
        }
    } else if (inputs[0].isDirectory && inputs[1].isDirectory) {
        if (depth > 0 && !options.recursive) {
            run.report("Common subdirectories: " + inputs[0].name + " and " + inputs[1].name + "\n",
                       depth);
            status = 0;
        } else {
            status = compareDirectories(run, inputs[0].name, true, inputs[1].name, true, depth);
        }
    } else if (!inputs[0].isDirectory && !inputs[1].isDirectory) {
        status = compareExaminedFiles(run, inputs, depth);
    } else {
        const int dir = inputs[0].isDirectory ? 0 : 1;
        run.report(inputs[dir].name + " is a directory but " + inputs[1 - dir].name + " is not\n",
                   depth);
        status = 1;
    }

    if (status == 0 && !inputs[0].isDirectory) {
        if (run.beginOutput() && options.reportIdentical)
            run.output.write("Files " + inputs[0].name + " and " + inputs[1].name +
                             " are identical\n");
        run.finishOutput();
    } else if (status != 0) {
        run.output.flush();
    }
    return status;
}

} // namespace tandel
