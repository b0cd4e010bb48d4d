// Inputs that memory cannot hold are refused with the reason, never read
// until memory runs out.
#include "engine_harness.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace tandel {
namespace {

using testing::EngineHarness;

TEST(InputLimitTest, InputsPastTheBoundAreRefusedAndOneAtItIsCompared) {
    EngineHarness h;
    const std::unique_ptr<FileSystem> files = realFileSystemWithInputLimit(64);
    h.context.files = files.get();
    const std::string small = h.folder.write("small", "a\n");
    const std::string large = h.folder.write("large", std::string(65, '\n'));
    const std::string fits = h.folder.write("fits", std::string(64, '\n'));
    EXPECT_EQ(h.runWords({"diff", "-o", h.output, large, small}), 2);
    EXPECT_EQ(h.sink.messages.back(), "Error in file " + large + ": File too large");
    EXPECT_EQ(h.runWords({"diff", "-o", h.output, fits, small}), 1);

    // A device that never ends, named or as standard input, stops at the bound.
    EXPECT_EQ(h.runWords({"diff", "-o", h.output, small, "/dev/zero"}), 2);
    EXPECT_EQ(h.sink.messages.back(), "Error in file /dev/zero: File too large");
    const int saved = ::dup(0);
    const int zero = ::open("/dev/zero", O_RDONLY);
    ::dup2(zero, 0);
    ::close(zero);
    const int status = h.runWords({"diff", "-o", h.output, small, "-"});
    ::dup2(saved, 0);
    ::close(saved);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(h.sink.messages.back(), "Error in file Standard Input: File too large");
}

} // namespace
} // namespace tandel
