// One line of the directory window: the left and the right half of a name.
#pragma once

#include <cstdint>
#include <string>

namespace tandel {

// Unreadable: the entry, or the folder of that name on either side, could
// not be read; nothing below it is listed.
enum class RowState : int { Same = 0, Unreadable = 2, Absent = 8, Different = 100 };

// What this window did with a half since the list was built.
enum class RowMark : int { None, Copied, Merged };

struct RowHalf {
    std::string path;     // empty when the file is absent on this side
    std::string dateText; // local modification date and time, or why it cannot be read
    std::int64_t modificationTime = 0;
    RowState state = RowState::Absent;
    // Only a pair of two regular files is merged.
    bool regularFile = false;
    bool isLink = false;
    std::string linkTarget{};
    // The system's reason why this half could not be read; empty when it could.
    std::string problem{};
    // Bytes; known for whatever has a status, folders excepted.
    std::uint64_t size = 0;
    bool sizeKnown = false;
    RowMark mark = RowMark::None;
};

struct ComparisonRow {
    RowHalf left;
    RowHalf right;
    // False for a pair whose bytes a cancelled build never read: it shows as
    // different without being known to be.
    bool compared = true;

    const RowHalf& half(int side) const { return side == 0 ? left : right; }
    RowHalf& half(int side) { return side == 0 ? left : right; }
};

// The local date and time of a time, as the lists show it.
std::string formatDate(std::int64_t seconds);

// What the date column says of a half that could not be read.
std::string unreadableText(const std::string& reason);

} // namespace tandel
