#include "engine_harness.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tandel {
namespace {

using testing::EngineHarness;

struct DirectoryPair : EngineHarness {
    DirectoryPair() {
        folder.write("left/same", "s\n");
        folder.write("right/same", "s\n");
        folder.write("left/changed", "a\nb\n");
        folder.write("right/changed", "a\nc\n");
        folder.write("left/sub/deep", "1\n");
        folder.write("right/sub/deep", "2\n");
        folder.write("left/onlyleft", "l\n");
        folder.write("right/onlyright", "r1\nr2\n");
    }
    int run(const std::vector<std::string>& options) {
        return runWords(command(options, folder.file("left"), folder.file("right")));
    }
    std::string left(const std::string& name) { return folder.file("left/" + name); }
    std::string right(const std::string& name) { return folder.file("right/" + name); }
    std::string header(const std::string& name) {
        return "diff " + left(name) + " " + right(name) + "\n";
    }
    bool reported(const std::string& text) { return result().find(text) != std::string::npos; }
};

TEST(OperandsTest, WalkReportsEveryPairInNameOrder) {
    DirectoryPair d;
    EXPECT_EQ(d.run({}), 1);
    EXPECT_EQ(d.result(), d.header("changed") + "2c2\nFile onlyleft only in " +
                              d.folder.file("left") + "\nFile onlyright only in " +
                              d.folder.file("right") + "\nCommon subdirectories: " + d.left("sub") +
                              " and " + d.right("sub") + "\n");
    EXPECT_EQ(d.run({"-r", "-N"}), 1);
    EXPECT_EQ(d.result(), d.header("changed") + "2c2\n" + d.header("onlyleft") + "1d0\n" +
                              d.header("onlyright") + "0a1,2\n" + d.header("sub/deep") + "1c1\n");
}

TEST(OperandsTest, FirstSideNewFileOnlyForEntriesOfTheSecondSide) {
    DirectoryPair d;
    d.folder.write("right/newdir/inner", "i\n");
    EXPECT_EQ(d.run({"-P", "-r", "-q"}), 1);
    EXPECT_TRUE(d.reported("File onlyleft only in"));
    for (const std::string name : {"onlyright", "newdir/inner"})
        EXPECT_TRUE(d.reported("Files " + d.left(name) + " and " + d.right(name) + " differ\n"));
}

TEST(OperandsTest, DirectoryAgainstFileAndFileAgainstDirectory) {
    DirectoryPair d;
    d.folder.write("left/kind", "file\n");
    d.folder.write("right/kind/x", "x\n");
    EXPECT_EQ(d.run({"-s"}), 1);
    EXPECT_TRUE(
        d.reported(d.right("kind") + " is a directory but " + d.left("kind") + " is not\n"));

    // At the top a file against a directory means the file of the same name in it.
    const std::string file = d.folder.write("changed", "a\nb\n");
    EXPECT_EQ(d.runWords({"diff", "-o", d.output, file, d.folder.file("right")}), 1);
    EXPECT_EQ(d.result(), "2c2\n");
    EXPECT_EQ(d.runWords({"diff", "-o", d.output, d.folder.file("left"), file}), 0);
}

TEST(OperandsTest, IdenticalTreesAndUnreadableDirectories) {
    EngineHarness h;
    h.folder.write("a/x", "1\n");
    h.folder.write("b/x", "1\n");
    EXPECT_EQ(h.runWords({"diff", "-r", "-o", h.output, h.folder.file("a"), h.folder.file("b")}),
              0);
    // A folder that cannot be listed, as root too.
    testing::FailingFileSystem failing;
    failing.fail(testing::FileOp::List, h.folder.file("b"), EACCES);
    h.context.files = &failing;
    EXPECT_EQ(h.runWords({"diff", "-r", "-o", h.output, h.folder.file("a"), h.folder.file("b")}),
              2);
    EXPECT_EQ(h.sink.messages.back(), "Error in file " + h.folder.file("b"));
}

TEST(OperandsTest, ALinkBackIntoTheWalkedPathIsALoopAndTheWalkGoesOn) {
    DirectoryPair d;
    std::filesystem::create_directory_symlink("..", d.left("sub/up"));
    std::filesystem::create_directory_symlink("..", d.right("sub/up"));
    EXPECT_EQ(d.run({"-r"}), 2);
    EXPECT_EQ(d.sink.messages,
              std::vector<std::string>{d.left("sub/up") + ": recursive directory loop"});
    EXPECT_TRUE(d.reported(d.header("sub/deep") + "1c1\n"));
}

TEST(OperandsTest, StandardInputIsReadByTheEngine) {
    EngineHarness h;
    const std::string file = h.folder.write("file", "a\nb\n");
    EXPECT_EQ(
        h.runWithInput(h.folder.write("piped", "a\nc\n"), {"diff", "-o", h.output, file, "-"}), 1);
    EXPECT_EQ(h.result(), "2c2\n");
}

// Inputs that memory cannot hold are refused with the reason, never read
// until memory runs out.
TEST(OperandsTest, InputsPastTheBoundAreRefusedAndOneAtItIsCompared) {
    EngineHarness h;
    const std::unique_ptr<FileSystem> files = realFileSystemWithInputLimit(64);
    h.context.files = files.get();
    const std::string small = h.folder.write("small", "a\n");
    const std::string large = h.folder.write("large", std::string(65, '\n'));
    EXPECT_EQ(h.runWords({"diff", "-o", h.output, large, small}), 2);
    EXPECT_EQ(h.sink.messages.back(), "Error in file " + large + ": File too large");
    EXPECT_EQ(
        h.runWords({"diff", "-o", h.output, h.folder.write("fits", std::string(64, '\n')), small}),
        1);

    // A device that never ends, named or as standard input, stops at the bound.
    EXPECT_EQ(h.runWords({"diff", "-o", h.output, small, "/dev/zero"}), 2);
    EXPECT_EQ(h.sink.messages.back(), "Error in file /dev/zero: File too large");
    EXPECT_EQ(h.runWithInput("/dev/zero", {"diff", "-o", h.output, small, "-"}), 2);
    EXPECT_EQ(h.sink.messages.back(), "Error in file Standard Input: File too large");
}

} // namespace
} // namespace tandel
