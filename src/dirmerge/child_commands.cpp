#include "dirmerge/child_commands.h"

#include "dirmerge/destination_copy.h"
#include "dirmerge/ensure_directory.h"
#include "dirmerge/names.h"

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

namespace tandel {

std::vector<std::string> directoryWindowArguments(const std::string& program,
                                                  const std::string& dir1, const std::string& dir2,
                                                  const std::string& destination) {
    return {program, "-d1", dir1, "-d2", dir2, "-outd", destination, "-mandc"};
}

std::vector<std::string> mergeRunArguments(const std::string& program, const std::string& left,
                                           const std::string& right,
                                           const std::string& outputDirectory) {
    return {program, "-f1", left, "-f2", right, "-outd", outputDirectory};
}

bool startDetached(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return false;
    // Built before forking: between fork and exec only async-signal-safe calls.
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // The middle process ends at once, so the program is nobody's child to
    // wait for, and no finished instance lingers as a zombie.
    const pid_t middle = ::fork();
    if (middle < 0)
        return false;
    if (middle == 0) {
        ::setsid();
        const pid_t child = ::fork();
        if (child == 0) {
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::_exit(child < 0 ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool startMergeRun(DirMergeContext& ctx, const std::string& leftPath, const std::string& rightPath,
                   const std::string& dir1, const std::string& destination) {
    std::string relative;
    if (!relativeTo(leftPath, dir1, relative) || relative.empty())
        return false;
    if (!ensureDestination(ctx.files(), ctx.frame, destination))
        return false;
    const std::string target = joinPath(destination, relative);
    const auto cut = target.rfind('/');
    if (cut == std::string::npos)
        return false;
    const std::string outputDirectory = cut == 0 ? std::string("/") : target.substr(0, cut);
    if (!ensureDirectory(ctx.files(), ctx.frame, outputDirectory))
        return false;
    if (ctx.services.startInstance)
        ctx.services.startInstance(
            mergeRunArguments(ctx.services.programPath, leftPath, rightPath, outputDirectory));
    return true;
}

} // namespace tandel
