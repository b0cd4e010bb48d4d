// Inputs mapped instead of read: the same bytes with room after them, writes
// that never reach the file, and a file cut short under the mapping that
// reads as zeros and is reported, never a crash.
#include "base/input_text.h"
#include "base/mapped_input.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace tandel {
namespace {

using testing::TempFolder;

constexpr std::uint64_t kNoLimit = std::uint64_t{1} << 40;

TEST(MappedInputTest, ARegularFileIsMappedWithWritableRoomThatNeverReachesTheFile) {
    TempFolder folder;
    // Sizes around a page, so that the copied last page and the mapped ones
    // meet at different places.
    for (const std::size_t size : {1, 4095, 4096, 4097, 3 * 4096 + 17}) {
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

// The file is cut to nothing by another thread after the first page was
// read: the rest of the mapping reads as zeros, except the last page, which
// was copied when the file was mapped, and the fault is recorded.
TEST(MappedInputTest, AFileCutShortUnderItsMappingReadsAsZerosAndIsReported) {
    TempFolder folder;
    constexpr std::size_t kSize = 64 * 4096 + 100;
    std::string bytes(kSize, 'x');
    bytes.back() = '\n';
    const std::string path = folder.write("shrinking", bytes);
    std::atomic<bool> faulted{false};
    InputText text;
    ASSERT_TRUE(openInputText(path, kNoLimit, 3, &faulted, text).ok());
    ASSERT_TRUE(text.isMapped());
    EXPECT_EQ(text.data()[0], 'x');

    std::thread cutter([&] { ASSERT_EQ(::truncate(path.c_str(), 0), 0); });
    cutter.join();
    std::size_t zeros = 0;
    for (std::size_t i = 0; i < kSize; ++i)
        zeros += text.data()[i] == '\0' ? 1 : 0;
    EXPECT_GT(zeros, 0u);
    EXPECT_EQ(text.data()[kSize - 1], '\n');
    EXPECT_TRUE(faulted.load());
    EXPECT_FALSE(text.unchanged());
}

TEST(MappedInputTest, AFileChangedInPlaceIsReported) {
    TempFolder folder;
    const std::string path = folder.write("edited", std::string(3 * 4096, 'x'));
    InputText text;
    ASSERT_TRUE(openInputText(path, kNoLimit, 3, nullptr, text).ok());
    EXPECT_TRUE(text.unchanged());
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    // A later modification time, whatever the clock's resolution.
    const timespec later[2] = {{0, UTIME_OMIT}, {text.status().writeTime.seconds + 1, 0}};
    ASSERT_EQ(::pwrite(fd, "y", 1, 5), 1);
    ASSERT_EQ(::futimens(fd, later), 0);
    ::close(fd);
    EXPECT_FALSE(text.unchanged());
}

} // namespace
} // namespace tandel
