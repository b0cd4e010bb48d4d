// The machine's file layer on real files: what a replace keeps of the old file,
// links written through, unique names, a signal while writing; mapped inputs.
#include "base/file_system.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/input_text.h"
#include "base/mapped_input.h"
#include "support/temp_folder.h"

namespace tandel {
namespace {

using testing::TempFolder;

FileStatus statusOf(const std::string& path, bool followLinks = true) {
    FileStatus status;
    EXPECT_TRUE(realFileSystem().status(path, status, followLinks).ok()) << path;
    return status;
}

IoStatus writeThrough(const std::string& path, std::string_view bytes,
                      const WriteOptions& options = {}) {
    std::unique_ptr<FileWriter> writer;
    IoStatus status = realFileSystem().openWriter(path, options, writer);
    if (status.ok())
        status = writer->write(bytes);
    if (status.ok())
        status = writer->commit();
    return status;
}

std::uint32_t defaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~static_cast<std::uint32_t>(mask);
}

TEST(RealFileSystem, AReplacedFileKeepsItsPermissionsUnlessOthersAreAskedFor) {
    struct Case {
        std::optional<std::uint32_t> old; // none: no file before
        std::optional<std::uint32_t> asked;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0640, {}, 0640},   {0755, {}, 0755}, {0444, {}, 0444}, // read-only is the caller's call
        {0600, 0644, 0644}, {{}, 0600, 0600}, {{}, {}, defaultMode()},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        const std::string path = dir.file("f");
        std::uint64_t oldInode = 0;
        const bool root = ::geteuid() == 0; // only root may give a file to another user
        if (c.old) {
            dir.write("f", "old");
            ASSERT_EQ(::chmod(path.c_str(), *c.old), 0);
            ASSERT_TRUE(!root || ::chown(path.c_str(), 1234, 5678) == 0);
            oldInode = statusOf(path).inode;
        }
        WriteOptions options;
        options.setPermissions = c.asked.has_value();
        options.permissions = c.asked.value_or(0);
        ASSERT_TRUE(writeThrough(path, "new", options).ok());
        const FileStatus now = statusOf(path);
        EXPECT_EQ(now.permissions, c.expected) << std::oct << c.old.value_or(0);
        EXPECT_NE(now.inode, oldInode); // a new file took the name
        struct stat owner {};
        ASSERT_EQ(::stat(path.c_str(), &owner), 0);
        if (root && c.old) {
            EXPECT_EQ(std::pair(owner.st_uid, owner.st_gid), std::pair(1234u, 5678u));
        }
        EXPECT_EQ(dir.read("f"), "new");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"f"});
    }
}

TEST(RealFileSystem, AWriterDroppedBeforeItsCommitLeavesTheTargetAndNothingBesideIt) {
    TempFolder dir;
    const std::string path = dir.write("f", "old");
    for (const bool finished : {false, true}) {
        std::unique_ptr<FileWriter> writer;
        ASSERT_TRUE(realFileSystem().openWriter(path, {}, writer).ok());
        ASSERT_TRUE(writer->write("new").ok());
        if (finished) {
            ASSERT_TRUE(writer->finish().ok());
        }
        EXPECT_EQ(dir.entries().size(), 2u); // the new file waits beside the target
        writer.reset();
        EXPECT_EQ(dir.read("f"), "old");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"f"});
    }
    // Neither a folder nor a missing folder is a target.
    dir.mkdir("sub");
    EXPECT_EQ(writeThrough(dir.file("sub"), "x").error(), EISDIR);
    EXPECT_EQ(writeThrough(dir.file("none/f"), "x").error(), ENOENT);
}

TEST(RealFileSystem, ATerminatingSignalRemovesTheNewFileAndKeepsTheOld) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction inherited {};
        ::sigaction(signal, nullptr, &inherited);
        if (inherited.sa_handler == SIG_IGN)
            continue; // ignored by whoever started the tests (a shell's background job): left so
        TempFolder dir;
        const std::string target = dir.write("result", "old\n");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::unique_ptr<FileWriter> writer;
            if (!realFileSystem().openWriter(target, {}, writer).ok() ||
                !writer->write(std::string(1 << 20, 'x')).ok())
                ::_exit(3);
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

// Whatever a link holds (absolute, relative, through a folder, another link),
// the file it leads to is replaced, and the link stays as it was.
TEST(RealFileSystem, ALinkIsFollowedAndStaysALink) {
    TempFolder dir;
    const std::string real = dir.write("sub/real", "old");
    ASSERT_EQ(::symlink("sub/real", dir.file("rel").c_str()), 0);
    ASSERT_EQ(::symlink(real.c_str(), dir.file("abs").c_str()), 0);
    ASSERT_EQ(::symlink("real", dir.file("sub/near").c_str()), 0);
    ASSERT_EQ(::symlink("rel", dir.file("chain").c_str()), 0);
    for (const char* name : {"rel", "abs", "sub/near", "chain"}) {
        const std::string link = name;
        const std::string path = dir.file(link);
        std::string before;
        ASSERT_TRUE(realFileSystem().readLink(path, before).ok());
        ASSERT_TRUE(writeThrough(path, "via " + link).ok()) << link;
        std::string after;
        ASSERT_TRUE(realFileSystem().readLink(path, after).ok());
        EXPECT_EQ(after, before);
        EXPECT_EQ(statusOf(path, false).kind, FileKind::Link);
        EXPECT_EQ(dir.read("sub/real"), "via " + link);
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"abs", "chain", "rel", "sub"}));
}

TEST(RealFileSystem, AUniqueNameIsNeverOneThatWasThere) {
    TempFolder dir;
    dir.write("p.mine", "mine");
    std::set<std::string> made;
    for (int i = 0; i < 200; ++i) {
        std::string path;
        ASSERT_TRUE(realFileSystem().createUnique(dir.path(), "p.", path).ok());
        EXPECT_TRUE(made.insert(path).second) << path;
        EXPECT_EQ(path.rfind(dir.file("p."), 0), 0u) << path;
        const FileStatus status = statusOf(path);
        EXPECT_TRUE(status.isRegular());
        EXPECT_EQ(status.size, 0u);
    }
    EXPECT_EQ(dir.read("p.mine"), "mine");
    EXPECT_EQ(dir.entries().size(), 201u);
    std::string path;
    EXPECT_EQ(realFileSystem().createUnique(dir.file("none"), "p.", path).error(), ENOENT);
}

constexpr std::uint64_t kNoLimit = std::uint64_t{1} << 40;

TEST(MappedInputTest, ARegularFileIsMappedWithWritableRoomThatNeverReachesTheFile) {
    TempFolder folder;
    // Sizes around a page, so that the copied last page and the mapped ones
    // meet at different places.
    for (const std::size_t size :
         std::initializer_list<std::size_t>{1, 4095, 4096, 4097, 3 * 4096 + 17}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>('a' + i % 26);
        const std::string path = folder.write("f", bytes);
        InputText text;
        ASSERT_TRUE(openInputText(path, kNoLimit, 3, nullptr, text).ok());
        EXPECT_TRUE(text.isMapped());
        ASSERT_EQ(text.length(), size);
        EXPECT_EQ(std::string(text.data(), size), bytes);
        EXPECT_TRUE(text.status().isRegular());
        // The room after the text, and the text itself, take writes.
        text.data()[size + 2] = 'z';
        text.data()[0] = '!';
        EXPECT_EQ(testing::readFile(path), bytes);
        EXPECT_TRUE(text.unchanged());
    }
}

TEST(MappedInputTest, OtherInputsAreReadAndTheLimitsHold) {
    TempFolder folder;
    InputText text;
    EXPECT_EQ(openInputText(folder.path(), kNoLimit, 3, nullptr, text).error(), EISDIR);
    EXPECT_EQ(openInputText(folder.file("missing"), kNoLimit, 3, nullptr, text).error(), ENOENT);

    const std::string large = folder.write("large", std::string(100, 'x'));
    EXPECT_EQ(openInputText(large, 99, 3, nullptr, text).error(), EFBIG);
    EXPECT_EQ(text.status().size, 100u);

    ASSERT_TRUE(openInputText(folder.write("empty", ""), kNoLimit, 3, nullptr, text).ok());
    EXPECT_EQ(text.length(), 0u);

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "piped\n", 6), 6);
    ::close(ends[1]);
    ASSERT_TRUE(
        openInputText("/dev/fd/" + std::to_string(ends[0]), kNoLimit, 3, nullptr, text).ok());
    ::close(ends[0]);
    EXPECT_FALSE(text.isMapped());
    EXPECT_EQ(std::string(text.data(), text.length()), "piped\n");
    EXPECT_TRUE(text.unchanged());
}

} // namespace
} // namespace tandel
