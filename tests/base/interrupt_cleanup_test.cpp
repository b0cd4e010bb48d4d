// A run ended by a signal while it writes a result leaves no half-written
// file behind.
#include "base/file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace tandel {
namespace {

TEST(InterruptCleanup, ATerminatingSignalRemovesTheNewFileAndKeepsTheOld) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        testing::TempFolder dir;
        const std::string target = dir.write("result", "old\n");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // A shell's background job starts with SIGINT ignored.
            ::signal(signal, SIG_DFL);
            std::unique_ptr<FileWriter> writer;
            if (!realFileSystem().openWriter(target, {}, writer).ok() ||
                !writer->write(std::string(1 << 20, 'x')).ok()) {
                ::_exit(3);
            }
            ::raise(signal);
            ::_exit(4); // not reached: the signal still ends the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"result"});
        EXPECT_EQ(dir.read("result"), "old\n");
    }
}

} // namespace
} // namespace tandel
